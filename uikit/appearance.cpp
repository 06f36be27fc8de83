// The desktop's dark or light appearance, from Qt, the freedesktop portal or the palette.
#include "uikit/appearance.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QPalette>
#include <QStyleHints>
#include <QVariant>

#include "settings/colour_scheme.h"
#include "uikit/colours.h"

namespace kelvane::ui {

namespace {

// The portal's answer: 1 prefers dark, 2 prefers light, 0 (or no portal) says nothing.
int portalColourScheme() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return 0;
  QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                                                     "org.freedesktop.portal.Settings", "Read");
  call << QString("org.freedesktop.appearance") << QString("color-scheme");
  const QDBusMessage reply = bus.call(call, QDBus::Block, 500);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return 0;
  // The value comes wrapped in one or two variants.
  QVariant v = reply.arguments().first();
  for (int depth = 0; depth < 2 && v.canConvert<QDBusVariant>(); ++depth) v = v.value<QDBusVariant>().variant();
  bool ok = false;
  const uint scheme = v.toUInt(&ok);
  return ok ? static_cast<int>(scheme) : 0;
}

}  // namespace

bool DesktopPrefersDark() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  const Qt::ColorScheme scheme = QGuiApplication::styleHints()->colorScheme();
  if (scheme != Qt::ColorScheme::Unknown) return scheme == Qt::ColorScheme::Dark;
#endif
  if (const int scheme = portalColourScheme(); scheme != 0) return scheme == 1;
  return IsDark(FromQColor(QApplication::palette().color(QPalette::Window)));
}

}  // namespace kelvane::ui
