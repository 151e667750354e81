// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handcursor.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace handcursor {

static quint16 le16(const QByteArray &b, int at)
{
    return quint16(quint8(b[at])) | quint16(quint8(b[at + 1])) << 8;
}

std::optional<QPoint> hotspot(const QByteArray &cur)
{
    // ICONDIR: reserved 0, type 2 (cursor), count >= 1; then the first
    // ICONDIRENTRY, whose planes/bit-count fields hold the hotspot.
    if (cur.size() < 22 || le16(cur, 0) != 0 || le16(cur, 2) != 2 || le16(cur, 4) < 1)
        return std::nullopt;
    return QPoint(le16(cur, 10), le16(cur, 12));
}

std::optional<QCursor> load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const auto spot = hotspot(bytes);
    if (!spot)
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "cur");
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    const QPoint inside(qBound(0, spot->x(), image.width() - 1), qBound(0, spot->y(), image.height() - 1));
    return QCursor(QPixmap::fromImage(image), inside.x(), inside.y());
}

} // namespace handcursor
