#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace norumi {

void DesktopShell::Open(const QString& target) {
  if (IsWebAddress(target)) {
    QDesktopServices::openUrl(QUrl(target.trimmed()));
    return;
  }
  const QFileInfo file(target);
  // A program or page that is not there: nothing to show, and nothing the desktop should try.
  if (!file.exists()) return;
  if (file.isFile() && file.isExecutable() && !file.isDir()) {
    QProcess::startDetached(file.absoluteFilePath(), {}, file.absolutePath());
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(target));
}

bool IsWebAddress(const QString& text) {
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !url.host().isEmpty();
}

void OpenWebAddress(IShell& shell, const QString& address) {
  if (IsWebAddress(address)) shell.Open(address.trimmed());
}

}  // namespace norumi
