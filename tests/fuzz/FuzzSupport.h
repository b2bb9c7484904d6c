#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

// What every fuzz target shares: stopping on a broken property, cutting the
// input into fields, and a folder for the files a target has to write.

// Prints the property that failed and aborts, so libFuzzer keeps the input.
[[noreturn]] void propertyFailed(const char *expression, const QString &detail);

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            propertyFailed(#condition, detail);                                                    \
        }                                                                                          \
    } while (false)

namespace FuzzInput {

// 0xFF separates fields: it never occurs in UTF-8, so every field can still
// hold any text, control characters and NUL included.
inline constexpr char kFieldSeparator = '\xFF';

QByteArray bytes(const std::uint8_t *data, std::size_t size);
QList<QByteArray> fields(const QByteArray &input);

// The same fields one after the other, without copying them: for a target
// that takes many fields of every input. Past the last, each is empty.
class FieldReader {
public:
    explicit FieldReader(QByteArrayView input) : m_rest(input), m_done(input.isEmpty()) {}
    QByteArrayView next();

private:
    QByteArrayView m_rest;
    bool m_done;
};
QStringList texts(const QByteArray &input);
QByteArray join(const QList<QByteArray> &fields);

} // namespace FuzzInput

// A folder of its own for this run, in /dev/shm where there is one, removed
// when the program exits normally.
const QString &scratchFolder();

// Writes bytes over the file at path, in place: hard links keep seeing them.
void writeScratchFile(const QString &path, const QByteArray &bytes);
QByteArray readScratchFile(const QString &path);
