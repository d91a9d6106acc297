#include "shell/HelpIntegrity.h"

#include <QCryptographicHash>
#include <QFile>

#include "platform/RegularFile.h"

namespace morvik {

namespace {
// The help file is some hundred kilobytes; a file far larger is not it, and is not read.
constexpr std::uint64_t HelpFileMaxBytes = 64u << 20;
}  // namespace

bool HelpFileMatches(const QString& path, std::string_view expectedSha256) {
  const auto bytes = ReadRegularFile(QFile::encodeName(path).toStdString(), HelpFileMaxBytes);
  if (!bytes) return false;
  const QByteArray sum =
      QCryptographicHash::hash(QByteArrayView(bytes->data(), static_cast<qsizetype>(bytes->size())), QCryptographicHash::Sha256)
          .toHex();
  return std::string_view(sum.constData(), static_cast<std::size_t>(sum.size())) == expectedSha256;
}

}  // namespace morvik
