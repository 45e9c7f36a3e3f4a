#include "platform/toolkit/WindowManagerHints.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(MIRTO_HAVE_XCB)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace mirto {

#if defined(MIRTO_HAVE_XCB)

namespace {

// WM_HINTS as the window manager reads it: flags, input, initial state, ...
constexpr std::uint32_t kStateHint = 1u << 1;
constexpr std::uint32_t kNormalState = 1;
constexpr std::uint32_t kIconicState = 3;
constexpr std::uint32_t kHintFields = 9;

xcb_connection_t* X11Connection() {
  auto* app = qGuiApp;
  auto* x11 = app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

void ClearIconicStartState(const QWidget& window) {
  if (window.windowState() & Qt::WindowMinimized) return;
  xcb_connection_t* connection = X11Connection();
  const WId id = window.internalWinId();
  if (connection == nullptr || id == 0) return;
  const auto xid = static_cast<xcb_window_t>(id);
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, xid, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kHintFields);
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection, cookie, nullptr), &std::free);
  if (!reply || reply->format != 32) return;
  const auto fields = static_cast<std::uint32_t>(xcb_get_property_value_length(reply.get()) / 4);
  if (fields < 3) return;
  std::array<std::uint32_t, kHintFields> hints{};
  std::memcpy(hints.data(), xcb_get_property_value(reply.get()),
              std::min(fields, kHintFields) * sizeof(std::uint32_t));
  if (!(hints[0] & kStateHint) || hints[2] != kIconicState) return;
  hints[2] = kNormalState;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xid, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS,
                      32, std::min(fields, kHintFields), hints.data());
  xcb_flush(connection);
}

#else

void ClearIconicStartState(const QWidget&) {}

#endif

}  // namespace mirto
