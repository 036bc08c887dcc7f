#include "res/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap DrawAppIconPixmap(int size) {
    // Painted on the pixmap itself: no image conversion, which Qt may spread over threads.
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;

    // The token's body: a dark blue rounded key fob.
    QRectF body(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
    QLinearGradient shade(body.topLeft(), body.bottomRight());
    shade.setColorAt(0, QColor(0x2f, 0x6f, 0xc8));
    shade.setColorAt(1, QColor(0x14, 0x33, 0x6b));
    p.setPen(QPen(QColor(0x0c, 0x1f, 0x44), qMax(1.0, s / 24)));
    p.setBrush(shade);
    p.drawRoundedRect(body, s * 0.18, s * 0.18);

    // Its display: a pale green strip with three digit bars.
    QRectF display(s * 0.18, s * 0.2, s * 0.64, s * 0.26);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xf5, 0xe0));
    p.drawRoundedRect(display, s * 0.04, s * 0.04);
    p.setBrush(QColor(0x1c, 0x3a, 0x2a));
    const double bar = display.width() / 7;
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(display.left() + bar * (1 + 2 * i),
                          display.top() + display.height() * 0.25, bar, display.height() * 0.5));

    // The flame below the display: the seed being burnt in.
    QPainterPath flame;
    const double cx = s * 0.5, base = s * 0.84, top = s * 0.5, half = s * 0.16;
    flame.moveTo(cx, top);
    flame.cubicTo(cx + half * 1.3, top + s * 0.12, cx + half, base, cx, base);
    flame.cubicTo(cx - half, base, cx - half * 1.3, top + s * 0.12, cx, top);
    QLinearGradient fire(QPointF(cx, top), QPointF(cx, base));
    fire.setColorAt(0, QColor(0xff, 0xd2, 0x3f));
    fire.setColorAt(1, QColor(0xf0, 0x5a, 0x1e));
    p.setBrush(fire);
    p.drawPath(flame);
    p.end();
    return image;
}

QIcon LoadAppIcon() {
    QIcon icon;
    for (int size : kAppIconSizes) icon.addPixmap(DrawAppIconPixmap(size));
    return icon;
}
