#pragma once
// A large-button menu: a small non-modal window of big push buttons for touch screens and for
// users who find the menu bar too small. Closing it only hides it; it lives as long as the program.

#include <QWidget>
#include <functional>

class QPushButton;

namespace luftikon {

class LargeMenu : public QWidget {
    Q_OBJECT
public:
    enum class Arrangement { Row, Column };

    // `minButtonWidth` is the design width; a button grows past it when its text needs more.
    LargeMenu(const QString& caption, Arrangement arrangement, int minButtonWidth, QWidget* owner);

    // Buttons are added in reading order; all buttons of one menu share one width.
    QPushButton* addButton(const QString& text, std::function<void()> action);
    const QList<QPushButton*>& buttons() const { return buttons_; }

    // Shows the window centred on the screen without blocking the main window.
    void showCentred();
    // Shows the window beside a large menu that stays open (below a row, right of a column),
    // so neither hides the other's buttons.
    void showBeside(const LargeMenu& opener);

    // Runs before every paint, and when the window is shown or comes to the front, so a
    // state changed meanwhile from the menu bar shows before the next click (the options menu
    // greys out the day layout in force).
    std::function<void()> onPaint;

protected:
    // Escape closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void arrange();
    void present();

    Arrangement arrangement_;
    int minButtonWidth_;
    QList<QPushButton*> buttons_;
};

} // namespace luftikon
