// SPDX-License-Identifier: GPL-3.0-or-later
// Draws resources/Kompass.jpg and resources/about.jpg so that both pictures can be
// regenerated from source. Usage: makepictures <output folder>

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>

namespace {

QFont boldFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// One ray of the rose: a kite split along its axis into a dark and a light half,
// which gives the usual impression of relief without any lighting maths.
void drawRay(QPainter &p, QPointF centre, qreal angleDeg, qreal length, qreal halfWidth,
             QColor dark, QColor light)
{
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF dir(qSin(a), -qCos(a));
    const QPointF side(-dir.y(), dir.x());
    const QPointF tip = centre + dir * length;
    const QPointF left = centre + dir * (length * 0.18) + side * halfWidth;
    const QPointF right = centre + dir * (length * 0.18) - side * halfWidth;

    p.setPen(QPen(QColor(60, 50, 40), 1));
    p.setBrush(dark);
    p.drawPolygon(QPolygonF{centre, left, tip});
    p.setBrush(light);
    p.drawPolygon(QPolygonF{centre, tip, right});
}

QImage compass()
{
    QImage image(240, 190, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QRadialGradient bg(QPointF(120, 95), 150);
    bg.setColorAt(0, QColor(252, 248, 236));
    bg.setColorAt(1, QColor(228, 219, 196));
    p.fillRect(image.rect(), bg);

    const QPointF c(120, 97);
    const qreal r = 70;

    p.setPen(QPen(QColor(120, 95, 60), 2));
    p.setBrush(QColor(248, 242, 226));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(120, 95, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 6, r - 6);

    // Degree ticks every 10°, longer every 30°.
    for (int deg = 0; deg < 360; deg += 10) {
        const qreal a = qDegreesToRadians(qreal(deg));
        const QPointF dir(qSin(a), -qCos(a));
        const qreal inner = (deg % 30 == 0) ? r - 14 : r - 10;
        p.drawLine(c + dir * inner, c + dir * (r - 6));
    }

    // Intercardinal rays first so the cardinal ones lie on top.
    for (int deg = 45; deg < 360; deg += 90)
        drawRay(p, c, deg, r * 0.62, 7, QColor(150, 140, 120), QColor(235, 228, 210));
    for (int deg = 0; deg < 360; deg += 90) {
        const QColor dark = deg == 0 ? QColor(170, 40, 30) : QColor(70, 70, 90);
        const QColor light = deg == 0 ? QColor(235, 120, 100) : QColor(200, 200, 215);
        drawRay(p, c, deg, r - 16, 11, dark, light);
    }

    p.setPen(QPen(QColor(60, 50, 40), 1));
    p.setBrush(QColor(200, 170, 90));
    p.drawEllipse(c, 4, 4);

    p.setFont(boldFont(15));
    const struct
    {
        QString letter;
        QPointF at;
    } labels[] = {
        {QStringLiteral("С"), c + QPointF(0, -r - 10)},
        {QStringLiteral("Ю"), c + QPointF(0, r + 10)},
        {QStringLiteral("З"), c + QPointF(-r - 12, 0)},
        {QStringLiteral("В"), c + QPointF(r + 12, 0)},
    };
    for (const auto &label : labels) {
        p.setPen(label.letter == QStringLiteral("С") ? QColor(170, 40, 30) : QColor(50, 45, 40));
        p.drawText(QRectF(label.at.x() - 12, label.at.y() - 10, 24, 20), Qt::AlignCenter,
                   label.letter);
    }
    return image;
}

void drawCard(QPainter &p, QPointF centre, qreal angleDeg, const QString &rank, const QString &suit,
              QColor ink)
{
    const qreal w = 78, h = 112;
    p.save();
    p.translate(centre);
    p.rotate(angleDeg);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(QRectF(-w / 2 + 3, -h / 2 + 4, w, h), 7, 7);

    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.setBrush(QColor(253, 252, 247));
    p.drawRoundedRect(QRectF(-w / 2, -h / 2, w, h), 7, 7);

    p.setPen(ink);
    p.setFont(boldFont(16));
    p.drawText(QRectF(-w / 2 + 5, -h / 2 + 3, 24, 20), Qt::AlignLeft | Qt::AlignTop, rank);
    p.setFont(boldFont(14));
    p.drawText(QRectF(-w / 2 + 5, -h / 2 + 20, 24, 18), Qt::AlignLeft | Qt::AlignTop, suit);
    p.setFont(boldFont(40));
    p.drawText(QRectF(-w / 2, -h / 2 + 20, w, h - 20), Qt::AlignCenter, suit);
    p.restore();
}

// Six lines, read from the bottom: solid for yang, broken for yin.
void drawHexagram(QPainter &p, QRectF box, const bool (&yang)[6])
{
    const qreal lineH = box.height() / 11;
    const qreal gap = box.width() * 0.16;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 35, 30));
    for (int i = 0; i < 6; ++i) {
        const qreal y = box.bottom() - lineH - i * 2 * lineH;
        if (yang[i]) {
            p.drawRect(QRectF(box.left(), y, box.width(), lineH));
        } else {
            const qreal half = (box.width() - gap) / 2;
            p.drawRect(QRectF(box.left(), y, half, lineH));
            p.drawRect(QRectF(box.right() - half, y, half, lineH));
        }
    }
}

QImage about()
{
    QImage image(241, 321, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Card-table green.
    QLinearGradient bg(0, 0, 0, 321);
    bg.setColorAt(0, QColor(28, 96, 62));
    bg.setColorAt(1, QColor(14, 60, 38));
    p.fillRect(image.rect(), bg);

    p.setPen(QPen(QColor(214, 180, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 6, 229, 309), 10, 10);

    const QColor red(190, 30, 40), black(25, 25, 30);
    drawCard(p, QPointF(78, 118), -16, QStringLiteral("Т"), QStringLiteral("♠"), black);
    drawCard(p, QPointF(120, 108), 0, QStringLiteral("К"), QStringLiteral("♥"), red);
    drawCard(p, QPointF(162, 118), 16, QStringLiteral("Д"), QStringLiteral("♦"), red);

    // A parchment plate for the hexagram, so the black lines read on the green cloth.
    const QRectF plate(22, 196, 86, 100);
    p.setPen(QPen(QColor(214, 180, 90), 1.5));
    p.setBrush(QColor(246, 238, 214));
    p.drawRoundedRect(plate, 6, 6);
    const bool hexagram[6] = {true, false, true, true, false, true};
    drawHexagram(p, plate.adjusted(14, 14, -14, -14), hexagram);

    QFont big = boldFont(64);
    big.setFamily(QStringLiteral("DejaVu Serif"));
    QPainterPath text;
    text.addText(0, 0, big, QStringLiteral("ТЛ"));
    const QRectF tb = text.boundingRect();
    const QPointF shift(172 - tb.center().x(), 246 - tb.center().y());
    text.translate(shift);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(text.translated(2, 3));
    p.setPen(QPen(QColor(120, 85, 20), 1.5));
    p.setBrush(QColor(236, 200, 100));
    p.drawPath(text);

    p.setPen(QColor(236, 220, 170));
    p.setFont(boldFont(12));
    p.drawText(QRectF(112, 280, 120, 18), Qt::AlignCenter, QStringLiteral("калькулятор"));
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (!image.save(path, "JPG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: makepictures <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = save(compass(), out.filePath(QStringLiteral("Kompass.jpg")));
    ok = save(about(), out.filePath(QStringLiteral("about.jpg"))) && ok;
    return ok ? 0 : 1;
}
