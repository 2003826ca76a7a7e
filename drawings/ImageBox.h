// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A picture control: shows a picture centred in the box, shrunk to fit with its
// proportions kept when it is larger, or serves as a canvas that keeps what was
// drawn on it until it is drawn over.
class ImageBox : public QWidget
{
    Q_OBJECT
public:
    explicit ImageBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }

    // Larger pictures are shrunk to fit; smaller ones keep their size.
    void setProportional(bool proportional);

    // The picture to draw on, made the size of the box first: a new canvas is
    // filled with background, and what a smaller one held is kept at its place.
    // Call update() after drawing.
    QImage &canvas(const QColor &background);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
    bool proportional_ = false;
};
