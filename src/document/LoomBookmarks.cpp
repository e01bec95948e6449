#include "LoomBookmarks.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace tessaly {

QString LoomBookmarks::KeyOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash digest(QCryptographicHash::Sha256);
    digest.addData(QFileInfo(path).absoluteFilePath().toUtf8());
    digest.addData(QByteArrayLiteral("\n"));
    if (!digest.addData(&file)) return {};
    return QStringLiteral("loom/") + QString::fromLatin1(digest.result().toHex());
}

std::optional<std::int32_t> LoomBookmarks::RecallAt(const QString& key) {
    if (key.isEmpty()) return std::nullopt;
    bool ok = false;
    const int pick = QSettings().value(key).toInt(&ok);
    if (!ok || pick < 1) return std::nullopt;
    return pick;
}

void LoomBookmarks::RememberAt(const QString& key, std::int32_t pick) {
    if (key.isEmpty() || pick < 1) return;
    QSettings().setValue(key, pick);
}

}  // namespace tessaly
