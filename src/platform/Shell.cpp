// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/Dialogs.h"
#include "platform/text/ShownControls.h"

namespace norumi {

void DesktopShell::Open(const QString& target) {
  if (IsWebAddress(target)) {
    QDesktopServices::openUrl(QUrl(target.trimmed()));
    return;
  }
  if (target.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
    QDesktopServices::openUrl(QUrl(target));
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

std::optional<QString> WebAddressOf(const QString& text) {
  const QString address = text.trimmed();
  if (IsWebAddress(address)) return address;
  if (address.size() > 4 && address.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
    const QString web = QStringLiteral("https://") + address;
    if (IsWebAddress(web)) return web;
  }
  return std::nullopt;
}

void OpenWebAddress(IShell& shell, IDialogs& dialogs, QWidget* parent, const QString& address) {
  if (address.trimmed().isEmpty()) return;
  if (const std::optional<QString> web = WebAddressOf(address)) {
    shell.Open(*web);
    return;
  }
  dialogs.MessageBox(parent,
                     QStringLiteral("%1 はWebのアドレス (http:// または https://) ではないため、"
                                    "開けません。")
                         .arg(ShowControls(address)),
                     QStringLiteral("URL"), MsgIcon::Stop);
}

}  // namespace norumi
