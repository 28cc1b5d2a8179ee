// An ID3v2.4 tag with UTF-8 text for an MP3 file: libsndfile's MP3 writer
// tags in Latin-1 only, which turns Chinese titles into nonsense.
#pragma once

#include <QByteArray>
#include <QString>

namespace zorvel {

// The tag (title TIT2, artist TPE1, comment COMM), to go before the audio;
// empty texts are left out.
QByteArray id3v2Tag(const QString& title, const QString& artist, const QString& comment);

} // namespace zorvel
