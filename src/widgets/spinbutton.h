#pragma once
// A pair of arrow buttons without a field: each click, each repeat step while a button is held
// and each up or down arrow key while it has the focus reports one step.

#include <QWidget>

class QToolButton;

namespace luftikon {

class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
    // What a screen reader calls the pair and each of its arrows, which show no text.
    void setAccessibleNames(const QString& pair, const QString& up, const QString& down);

signals:
    void upClick();
    void downClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace luftikon
