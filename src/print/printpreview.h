#pragma once
// The print preview of the month chart: captures the main window as shown, offers A4 upright,
// A5 and A6 landscape, turns the picture for A4 and prints it stretched into the format's
// rectangle. Created once at start; its boxes keep their state between openings.

#include "config/settings.h"
#include "platform/desktop.h"
#include "print/printgeometry.h"
#include "state/appstate.h"

#include <QDialog>
#include <QImage>
#include <functional>

class QBoxLayout;
class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace luftikon {

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    // `capture` gives the picture of the main window's client area that is printed.
    PrintPreview(AppState& state, Desktop& desktop, Settings& settings, std::function<QImage()> capture,
                 QWidget* parent = nullptr);

    // Captures anew at the next paint, then shows the window modally.
    void openForPrinting();
    // The capture, run once after each opening from the first paint; tests call it directly.
    void refresh();
    void turnPictureQuarter();

    void a4Clicked();
    void a5Clicked();
    void a6Clicked();
    void printClicked();
    void cancelClicked();

    bool capturePending() const { return capturePending_; }
    int rotationState() const { return rotationState_; }
    // The full-size picture that is printed, turned or not.
    const QImage& printPicture() const { return picture_; }

public slots:
    // Every way of leaving keeps the chosen format.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Controls
    QCheckBox* a4Check_ = nullptr;
    QCheckBox* a5Check_ = nullptr;
    QCheckBox* a6Check_ = nullptr;
    QBoxLayout* pageArea_ = nullptr;           // picture and note, stacked or side by side
    QWidget* pictureHolder_ = nullptr;         // the room the picture is fitted into
    QLabel* previewPicture_ = nullptr;         // the reduced picture
    QPlainTextEdit* formatNoteEdit_ = nullptr; // the note on the chosen format
    QFrame* formatFrame_ = nullptr;            // frames the format choice
    QLabel* formatCaption_ = nullptr;          // "Grafikformat:"
    QPushButton* printButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    void buildControls();
    QCheckBox* boxOf(ChartPaper paper) const;
    // The click rule shared by the three boxes.
    void formatBoxClicked(ChartPaper paper);
    void showNote(ChartPaper paper);
    void showPicture();
    // Picture beside the note for the upright format, above it for the landscape ones.
    void arrange(bool upright);
    void placePicture();
    ChartPaper checkedPaper() const;
    void keepPaperFormat();

    AppState& state_;
    Desktop& desktop_;
    Settings& settings_;
    std::function<QImage()> capture_;
    QImage picture_;  // previewPicture_'s full-size bitmap
    QImage captured_; // TempImage: the unturned copy
    bool capturePending_ = true;
    bool captureQueued_ = false;
    int rotationState_ = 0;
};

} // namespace luftikon
