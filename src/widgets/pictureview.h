#pragma once
// A picture shown stretched to the widget. It shares the picture it is given instead of
// converting a copy for the screen, so a large chart is held once.

#include <QImage>
#include <QWidget>

namespace luftikon {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace luftikon
