// ID3v2.4: a ten-byte header and text frames, sizes as synchsafe integers.
#include "speech/id3_tag.h"

namespace zorvel {
namespace {

QByteArray synchsafe(int size)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i, size >>= 7)
        bytes[i] = char(size & 0x7f);
    return bytes;
}

// A frame of UTF-8 text (encoding byte 3).
QByteArray frame(const char* id, const QByteArray& body)
{
    const QByteArray content = QByteArray(1, '\3') + body;
    return QByteArray(id) + synchsafe(int(content.size())) + QByteArray(2, '\0') + content;
}

} // namespace

QByteArray id3v2Tag(const QString& title, const QString& artist, const QString& comment)
{
    QByteArray frames;
    if (!title.isEmpty())
        frames += frame("TIT2", title.toUtf8());
    if (!artist.isEmpty())
        frames += frame("TPE1", artist.toUtf8());
    // A comment: language, an empty description, then the text.
    if (!comment.isEmpty())
        frames += frame("COMM", QByteArray("chi") + QByteArray(1, '\0') + comment.toUtf8());
    if (frames.isEmpty())
        return {};
    return QByteArray("ID3\4\0\0", 6) + synchsafe(int(frames.size())) + frames;
}

} // namespace zorvel
