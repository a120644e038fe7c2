#include "platform/qtdesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

namespace luftikon {

namespace {

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
    case MessageKind::InformationQuestion:
        return QMessageBox::Information;
    case MessageKind::Warning:
    case MessageKind::WarningQuestion:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Question:
        return QMessageBox::Question;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

// Boxes belong to the window the user is working in, so they stay in front of it. At start the
// main window is shown but not yet active: a box without owner could then lie hidden behind it
// and block it, its close button included.
QWidget* ownerWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow*>(window))
            return window;
    }
    return nullptr;
}

} // namespace

void QtDesktop::show(MessageKind kind, const QString& text)
{
    QMessageBox box(iconOf(kind), captionOf(kind), text, QMessageBox::Ok, ownerWindow());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool QtDesktop::ask(const QString& text, MessageKind kind, Preset preset)
{
    QMessageBox box(iconOf(kind), captionOf(kind), text, QMessageBox::Yes | QMessageBox::No, ownerWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
    box.setDefaultButton(preset == Preset::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDesktop::openFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

QString QtDesktop::saveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, start, filter);
}

std::optional<QColor> QtDesktop::chooseColor(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDesktop::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int QtDesktop::execModal(QDialog& dialog)
{
    return dialog.exec();
}

void QtDesktop::setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtDesktop::setClipboardImage(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image);
}

void QtDesktop::openDocument(const QString& path)
{
    opener_.open(path);
}

QDate QtDesktop::today()
{
    return QDate::currentDate();
}

QTime QtDesktop::now()
{
    return QTime::currentTime();
}

void QtDesktop::terminate(int exitCode)
{
    // Nothing is left half written at this point: every file is written whole and replaced
    // atomically, so the process may end without unwinding.
    if (beforeTerminate_)
        beforeTerminate_();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace luftikon
