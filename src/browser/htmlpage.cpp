#include "browser/htmlpage.h"

#include "diary/dates.h"
#include "diary/entryline.h"

#include <algorithm>
#include <array>

namespace luftikon {

namespace {

const QChar Tab = QLatin1Char('\t');

QString sevenTimes(qint64 value)
{
    QStringList items;
    for (int i = 0; i < 7; ++i)
        items << QString::number(value);
    return items.join(QLatin1Char(','));
}

struct GroupTexts {
    const char* function;
    const char* canvas;
    const char* title;
};

constexpr std::array<GroupTexts, DayGroupCount> groupTexts{{
    {"createConfig", "diagramm1", "Die erste Woche"},
    {"createConfig2", "diagramm2", "Die zweite Woche"},
    {"createConfig3", "diagramm3", "Die dritte Woche"},
    {"createConfig4", "diagramm4", "Die vierte Woche"},
    {"createConfig5", "diagramm5", "Die restlichen Tage des Monats"},
}};

const GroupTexts& textsOf(int group)
{
    return groupTexts[static_cast<std::size_t>(group - 1)];
}

QString bandLine(const QString& fill, const QString& border, bool filled)
{
    return QLatin1String("backgroundColor: '") + fill + QLatin1String("',borderColor: '") + border +
           (filled ? QLatin1String("', borderWidth : 1,fill: true,pointRadius: 0.1, pointHoverRadius: 0.1, ")
                   : QLatin1String("', borderWidth : 1,fill: false,pointRadius: 0.1, pointHoverRadius: 0.1, "));
}

void appendGroupBlock(QStringList& page, const PageInput& in, const BandPalette& palette, int group)
{
    const QString function = QLatin1String(textsOf(group).function);
    if (group == DayGroupCount)
        page << QLatin1String("function createConfig5(colorName) {return {") + Tab + QLatin1String("type:'line',") +
                    Tab + QLatin1String("data: { ");
    else
        page << QLatin1String("function ") + function + QLatin1String("(colorName) {return {type:'line',") + Tab +
                    QLatin1String("data: { ");

    const QString labels = labelRow(in.month, group);
    if (!labels.isEmpty())
        page << labels;

    const QString curve = colorToHtml(in.curveColor);
    page << QStringLiteral("datasets: [{label: 'Luftikon Wert',");
    page << QLatin1String("backgroundColor: '#0000FF',borderColor: '") + curve +
                (group == 4 ? QLatin1String("',fill: false, pointBackgroundColor: '")
                            : QLatin1String("',fill: false,  pointBackgroundColor: '")) +
                curve + QLatin1String("',  pointBorderColor: '") + curve + QLatin1String("', ");
    page << valueRow(in.dailyMeans, group, in.breakLineAtZero);

    const qint64 red = in.redLimit;
    const qint64 green = in.greenLimit;
    page << QStringLiteral("{label: 'Schlecht',");
    page << bandLine(palette.redFill, palette.redBorder, true);
    page << QLatin1String("data: [") + sevenTimes(red) + QLatin1String("] , }, ");
    page << QStringLiteral("{label: 'Sehr schlecht',");
    page << bandLine(palette.redFill, palette.redFill, false);
    page << QStringLiteral("data: [100,100,100,100,100,100,100] , }, ");
    page << QStringLiteral("{label: 'Geht so',");
    page << bandLine(palette.yellowFill, palette.yellowBorder, false);
    page << QLatin1String("data: [") + sevenTimes(red + 1) + QLatin1String("] , }, ");
    page << QStringLiteral("{label: 'Geht so',");
    page << bandLine(palette.yellowFill, palette.yellowBorder, true);
    page << QLatin1String("data: [") + sevenTimes(green - 1) + QLatin1String("] , }, ");
    page << QStringLiteral("{label: 'Gut',");
    page << bandLine(palette.greenFill, palette.greenBorder, false);
    page << QLatin1String("data: [") + sevenTimes(green) + QLatin1String("] , }, ");
    page << QStringLiteral("{label: 'Sehr Gut',");
    page << bandLine(palette.greenFill, palette.greenBorder, true);
    page << QLatin1String("data: [") + sevenTimes(GroupTop(in.dailyMeans, group)) + QLatin1String("] , } ]}, ");

    page << QStringLiteral("options: {aspectRatio:1.5 ,  legend: {  labels: {  filter: function(legendItem, chartData) "
                           "{    if (legendItem.datasetIndex === 0) {   return true;    }    return false;    }   }   "
                           "},elements: {line: {tension: 0}},responsive: true,title:  ");
    page << QLatin1String("{display: true, fontSize : 16,text: '") + QString::fromUtf8(textsOf(group).title) +
                QLatin1String("'}, ");
    page << QStringLiteral("hover:{animationDuration: 1},");
    if (in.showValues)
        page << QStringLiteral(
            "animation:{duration:1, onComplete: function(){this.chart.controller.draw(); "
            "drawValue(this, 1);},onProgress: function(state){var animation = "
            "state.animationObject;drawValue(this,animation.currentStep / animation.numSteps); }}, ");
    page << QStringLiteral("tooltips: { enabled: true,  filter: function(tooltipItems, data) { var label = "
                           "data.datasets[tooltipItems.datasetIndex].label; ");
    page << QStringLiteral(" if ((label == \"Luftikon Wert\") || (label == \"Goal 2\")) {  return true;   } else { "
                           "return false;  }   }}, ");
    page << QLatin1String("scales: {xAxes: [{display: true,scaleLabel: {") + Tab +
                QLatin1String("display: true,labelString: '     '}") + Tab +
                QLatin1String("}],yAxes: [{display: true,scaleLabel: {display: true,labelString: 'l/min.'},}]}}};}   ");
}

// Leaves out the numbers of the band datasets, so only measured values get a label.
QString exclusionLine(const PageInput& in)
{
    const QString a = QStringLiteral("var textY = (model.y > topThreshold) ? model.y - 3 : model.y + 20; if "
                                     "(dataset.data[i]==100) { }else  if (dataset.data[i]==");
    const QString b = QStringLiteral(") { }else if (dataset.data[i]==");
    const QString c = QStringLiteral(") { }else  if (dataset.data[i]==");
    const QString d = QStringLiteral(") { }else{fadeIn(ctx, dataset.data[i], model.x, textY, model.y > topThreshold, "
                                     "step); } } });};  ");
    const DailyMeanTexts& means = in.dailyMeans;
    auto n = [](qint64 value) { return QString::number(value); };
    return a + n(in.redLimit) + b + n(qint64{in.redLimit} + 1) + b + n(qint64{in.greenLimit} - 1) + b +
           n(in.greenLimit) + b + n(ChartTop(means)) + c + n(GroupTop(means, 1)) + b + n(GroupTop(means, 2)) + b +
           n(GroupTop(means, 3)) + c + n(GroupTop(means, 4)) + b + n(GroupTop(means, 5)) + d;
}

} // namespace

QString colorToHtml(ColorRef color)
{
    return QStringLiteral("#%1%2%3")
        .arg(unsigned(redOf(color)), 2, 16, QLatin1Char('0'))
        .arg(unsigned(greenOf(color)), 2, 16, QLatin1Char('0'))
        .arg(unsigned(blueOf(color)), 2, 16, QLatin1Char('0'))
        .toUpper();
}

BandPalette bandPaletteFor(int brightness)
{
    struct Fills {
        const char* green;
        const char* yellow;
        const char* red;
    };
    static constexpr Fills fills[] = {
        {"#FFFFFF", "#F7F3F3", "#E3D6D6"}, {"#A7F9B2", "#FBFBA3", "#F9A8A7"}, {"#87F695", "#F9F982", "#F68887"},
        {"#6DF37C", "#F7F768", "#F36E6D"}, {"#58F067", "#F5F553", "#F05958"}, {"#47ED56", "#F3F342", "#ED4847"},
        {"#39EA48", "#F1F134", "#EA3A39"}, {"#2EE73C", "#EFEF29", "#E72F2E"}, {"#25E432", "#EDED20", "#E42625"},
    };
    const int level = std::clamp(brightness, 0, 8);
    const Fills& row = fills[level];
    BandPalette palette;
    palette.greenFill = QLatin1String(row.green);
    palette.yellowFill = QLatin1String(row.yellow);
    palette.redFill = QLatin1String(row.red);
    if (level == 0) {
        // Strong borders around nearly white fills.
        palette.greenBorder = QStringLiteral("#14F708");
        palette.yellowBorder = QStringLiteral("#E7F708");
        palette.redBorder = QStringLiteral("#DD3631");
    }
    else {
        palette.greenBorder = palette.greenFill;
        palette.yellowBorder = palette.yellowFill;
        palette.redBorder = palette.redFill;
    }
    return palette;
}

QString escapeHtml(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == QLatin1Char('&'))
            escaped += QLatin1String("&amp;");
        else if (ch == QLatin1Char('<'))
            escaped += QLatin1String("&lt;");
        else if (ch == QLatin1Char('>'))
            escaped += QLatin1String("&gt;");
        else
            escaped += ch;
    }
    return escaped;
}

QString bestValueLine(const QList<DiaryEntry>& readings, int bestValue)
{
    // A best value of 0 means the month has no reading above 0: there is no line to show.
    if (bestValue <= 0)
        return QStringLiteral("-");
    const DiaryEntry* candidate = nullptr;
    for (const DiaryEntry& reading : readings) {
        if (reading.value == bestValue)
            candidate = &reading;
    }
    if (!candidate)
        return QStringLiteral("-");
    QString line = candidate->line;
    const qsizetype cut = line.indexOf(QLatin1String("Z="));
    if (cut >= 0)
        line.truncate(cut);
    return trimBlanks(line);
}

QStringList buildPage(const PageInput& in)
{
    const DailyMeanTexts& means = in.dailyMeans;
    const int daysInMonth = daysInMonthOf(in.month.month.trimmed().toInt(), in.month.year.toInt());
    QStringList page;

    page << QStringLiteral("<!doctype html><html><head><style>h0{font-family: Verdana;font-style:normal;"
                           "font-weight:400;color:black;font-size:18px;}</style><title>Luftikon</title><script "
                           "src=\"Chart.min.js\"></script>");
    page << QStringLiteral("<style> h1{ font-family:Verdana;font-style:normal;font-weight:100;color:red;"
                           "font-size:16px;} </style>");
    page << QStringLiteral("<style> h2{ font-family:Verdana;font-style:normal;font-weight:100;color:black;"
                           "font-size:14px;} </style>");
    page << QStringLiteral("<style>canvas {-moz-user-select: none;-webkit-user-select: none;-ms-user-select: none;}"
                           ".chart-container {width: 600px;margin-left: 10px;margin-right: 10px;}.container "
                           "{display: flex;flex-direction: row;flex-wrap: wrap;justify-content: center;}");
    page << QStringLiteral("</style></head><body><center>");
    page << QLatin1String("<h0><b>Luftikon Werte von ") + escapeHtml(in.month.userName) + QLatin1String(" im ") +
                escapeHtml(in.month.monthName) + QLatin1Char(' ') + escapeHtml(in.month.year) +
                QLatin1String("</b></h0>");
    page << QStringLiteral("<br><h1>Die täglichen Messwerte werden hier als Mittelwerte dargestellt. </h1>");
    page << QStringLiteral("<h1><font color=\"#0000FF\">Ihr persönlicher Bestwert: ") + QString::number(in.bestValue) +
                QLatin1String(" l/min. (") + escapeHtml(bestValueLine(in.readings, in.bestValue)) +
                QLatin1String(")</h1></font></center> </center>");

    const QString missing = missingGroupsText(means, daysInMonth);
    if (!missing.isEmpty()) {
        page << QLatin1String("<center><h2>") + missing;
        page << QStringLiteral("]</h2></center><br>");
    }

    QString container = QStringLiteral("<div class=\"container\">");
    for (int group = 1; group <= DayGroupCount; ++group) {
        if (hasData(means, group))
            container += QLatin1String("<div class=\"chart-container\"><canvas id=\"") +
                         QLatin1String(textsOf(group).canvas) + QLatin1String("\"></canvas></div>");
    }
    page << container;
    page << QStringLiteral("</div><script>");
    page << QStringLiteral(
        "var insideFontColor = '255,255,255'; var outsideFontColor = '0,0,0'; var topThreshold = 20;");
    page << QStringLiteral("var fontSize = 12; var fontStyle = 'normal';  var fontFamily = 'Helvetica Neue';   ");
    page << QStringLiteral("var modifyCtx = function(ctx) { ctx.font = Chart.helpers.fontString(fontSize, fontStyle, "
                           "fontFamily);  ctx.textAlign = 'center';  ctx.textBaseline = 'bottom';  return ctx;}; ");
    page << QLatin1String("var fadeIn = function(ctx, obj, x, y, black, step) { var ctx = modifyCtx(ctx); var alpha = "
                          "0; ctx.fillStyle =   '") +
                colorToHtml(in.aboveCurveColor) + QLatin1String("';   ctx.fillText(obj, x, y);};  ");
    page << QStringLiteral(
        "var drawValue = function(context, step) { var ctx = context.chart.ctx; "
        "context.data.datasets.forEach(function (dataset) { for (var i = 0; i < dataset.data.length; "
        "i++) { var model = dataset._meta[Object.keys(dataset._meta)[0]].data[i]._model;  ");
    page << exclusionLine(in);

    const BandPalette palette = bandPaletteFor(in.brightness);
    for (int group = 1; group <= DayGroupCount; ++group)
        appendGroupBlock(page, in, palette, group);

    for (int group = 1; group <= DayGroupCount; ++group)
        page << QLatin1String("function createPointStyleConfig(colorName) {var config = ") +
                    QLatin1String(textsOf(group).function) +
                    QLatin1String("(colorName);config.options.legend.labels.usePointStyle = true;return config;}");

    QString onload = QStringLiteral("window.onload = function() {[");
    for (int group = 1; group <= DayGroupCount; ++group) {
        if (hasData(means, group))
            onload += QLatin1String("{id: '") + QLatin1String(textsOf(group).canvas) + QLatin1String("',config: ") +
                      QLatin1String(textsOf(group).function) + QLatin1String("()},");
    }
    onload += QLatin1String("].forEach(function(details) {var ctx = "
                            "document.getElementById(details.id).getContext('2d');new Chart(ctx, details.config);");
    page << onload;
    page << QStringLiteral("});};</script></body></html>");

    if (in.remarksLines) {
        page << QStringLiteral("<h2><u>Ihre Angaben:</u><br><h2><div>");
        for (const QString& remark : *in.remarksLines) {
            const QString line = escapeHtml(remark).replace(Tab, QLatin1String("&nbsp;&nbsp;&nbsp;&nbsp;"));
            if (!trimBlanks(line).isEmpty())
                page << line + QLatin1String(" <br>");
        }
    }
    return page;
}

} // namespace luftikon
