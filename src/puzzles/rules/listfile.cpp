// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/rules/listfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace listfile {

static constexpr const char *Codec = "windows-1250";

QStringList decode(const QByteArray &bytes)
{
    QStringDecoder decoder(Codec);
    const QString text = decoder(bytes);
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

std::optional<QString> firstUnrepresentable(const QString &entry)
{
    QStringEncoder encoder(Codec);
    for (qsizetype i = 0; i < entry.size(); ++i) {
        const qsizetype len = entry[i].isHighSurrogate() && i + 1 < entry.size() ? 2 : 1;
        const QString ch = entry.mid(i, len);
        // A line break inside an entry would split it into two on reading.
        if (ch == u"\r" || ch == u"\n")
            return ch;
        // encode() is lazy: the conversion runs when the result is taken.
        const QByteArray converted = encoder.encode(ch);
        if (encoder.hasError())
            return ch;
        i += len - 1;
    }
    return std::nullopt;
}

bool representable(const QString &entry) { return !firstUnrepresentable(entry); }

std::optional<QByteArray> encode(const QStringList &entries, qsizetype *bad)
{
    const auto fail = [&](qsizetype index) {
        if (bad)
            *bad = index;
        return std::nullopt;
    };
    // A line break inside an entry would split it in two on reading.
    qsizetype size = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].contains(u'\r') || entries[i].contains(u'\n'))
            return fail(i);
        size += entries[i].size() + 2;
    }
    QString text;
    text.reserve(size);
    for (const QString &e : entries) {
        text += e;
        text += u"\r\n";
    }
    QStringEncoder encoder(Codec);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    // A substitute byte must never reach the file; name the culprit.
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (!representable(entries[i]))
            return fail(i);
    return fail(-1);
}

ReadResult read(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {ReadStatus::Missing, {}};
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return {ReadStatus::Unreadable, {}};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {ReadStatus::Unreadable, {}};
    return {ReadStatus::Ok, decode(bytes)};
}

bool write(const QString &path, const QByteArray &bytes)
{
    // An installed game keeps the list in a folder made on the first save.
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    // Unbuffered, so that a write cut short (a full disk) shows at once:
    // through the buffer Qt 6.4 can lose that error and commit a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            file.cancelWriting();
            file.commit(); // discards the new file
            return false;
        }
        done += n;
    }
    return file.commit();
}

} // namespace listfile
