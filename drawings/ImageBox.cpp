// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageBox.h"

#include <QPainter>

ImageBox::ImageBox(QWidget *parent) : QWidget(parent) {}

void ImageBox::setPicture(const QImage &picture)
{
    picture_ = picture;
    update();
}

void ImageBox::setProportional(bool proportional)
{
    proportional_ = proportional;
    update();
}

QImage &ImageBox::canvas(const QColor &background)
{
    if (picture_.size() != size()) {
        QImage grown(size(), QImage::Format_RGB32);
        grown.fill(background);
        if (!picture_.isNull()) {
            QPainter painter(&grown);
            painter.drawImage(0, 0, picture_);
        }
        picture_ = grown;
    }
    return picture_;
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        return;
    QSize shown = picture_.size();
    if (proportional_ && (shown.width() > width() || shown.height() > height()))
        shown.scale(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                       shown);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);
}
