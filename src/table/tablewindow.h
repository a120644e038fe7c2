#pragma once
// The month as a table: one row per day, a time and a value column per measurement slot,
// and a remarks pane whose text lives in a file beside the diary. Created once, shown modally
// by the main window's table timer, kept between showings.

#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "table/tablecontent.h"

#include <QDialog>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QTableWidget;

namespace luftikon {

class TableWindow : public QDialog {
    Q_OBJECT
public:
    TableWindow(const CurrentMonth& month, Desktop& desktop, QWidget* parent = nullptr);

    // The opening steps before the window is shown: caption from the main window's user label
    // and the best value, the grid, the remarks. The caller shows the window (later).
    void prepareShowing(const QString& userLabel);
    // Fills the grid from the entry list for the entry dialog's month and year.
    void fillGrid();

    bool remarksChanged() const { return remarksChanged_; }
    // Why remarks cannot be saved for the current diary; empty when they can.
    QString remarksProblem() const;

    // The grid's cell texts as displayed, and its selection (a single cell when none).
    CellMatrix cellTexts() const;
    CellRange selection() const;
    QImage gridPicture() const;

    // "&Drucken" and "Drucken": the print command the main window hands in.
    std::function<void()> printCommand;
    // The next showing runs the print command once the window is on screen ("Tabelle drucken").
    void printWhenShown() { printWhenShown_ = true; }

    // Handlers
    void printTable();
    void closeWindow();
    void copySelectedText();
    void copyAllAsPicture();
    void copySelectionAsPicture();

public slots:
    // Every way of closing ends here: the close button, Escape, "Be&enden".
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool printWhenShown_ = false;
    // Controls
    QMenuBar* menuBar_ = nullptr; // the window's menu bar
    QMenu* fileMenu_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* closeAction_ = nullptr;
    QTableWidget* readingsGrid_ = nullptr;  // the table of the month
    QPlainTextEdit* remarksEdit_ = nullptr; // the remarks pane
    QMenu* gridMenu_ = nullptr;             // the grid's context menu
    QAction* printContextAction_ = nullptr; // "Drucken" in the context menu
    QAction* copySelectedTextAction_ = nullptr;
    QAction* copyAllAsPictureAction_ = nullptr;
    QAction* copySelectionAsPictureAction_ = nullptr;

    void buildControls();
    void buildMenus();
    void applyLayout();
    void loadRemarks();
    // The close step; false when the window has to stay open.
    bool closing();
    bool saveRemarks();
    QStringList remarksLines() const;

    const CurrentMonth& month_;
    Desktop& desktop_;
    SlotMode layoutMode_ = SlotMode::Four;
    bool remarksChanged_ = false;
};

} // namespace luftikon
