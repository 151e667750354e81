// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle list files: one entry per line, Windows-1250, every line
// followed by CR LF. Reading also ends a line at a lone CR or a lone LF, so
// that lists edited on other systems load line by line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace listfile {

QStringList decode(const QByteArray &bytes);

// The bytes of the file for these entries, or nothing when an entry cannot
// be stored as one Windows-1250 line; `bad` then names the first such entry.
std::optional<QByteArray> encode(const QStringList &entries, qsizetype *bad = nullptr);

// Whether the text can be stored as one line of a list file.
bool representable(const QString &entry);
// The first character of the text that cannot be stored, if any.
std::optional<QString> firstUnrepresentable(const QString &entry);

enum class ReadStatus { Ok, Missing, Unreadable };
struct ReadResult
{
    ReadStatus status;
    QStringList entries;
};
ReadResult read(const QString &path);

// Replaces the file through a new file and an atomic rename: on any failure
// the old file stays whole.
bool write(const QString &path, const QByteArray &bytes);

} // namespace listfile
