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
#include <vector>
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

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The atoms of the window's _NET_WM_STATE.
std::vector<xcb_atom_t> NetWmState(xcb_connection_t* connection, xcb_window_t window,
                                   xcb_atom_t property) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 64);
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection, cookie, nullptr), &std::free);
  if (!reply || reply->format != 32) return {};
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  return {atoms, atoms + xcb_get_property_value_length(reply.get()) / 4};
}

}  // namespace

void LeaveMaximisedStates(const QWidget& window) {
  xcb_connection_t* connection = X11Connection();
  const WId id = window.internalWinId();
  if (connection == nullptr || id == 0) return;
  const auto xid = static_cast<xcb_window_t>(id);
  const xcb_atom_t property = InternAtom(connection, "_NET_WM_STATE");
  const std::vector<xcb_atom_t> state = NetWmState(connection, xid, property);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (screen == nullptr) return;
  for (const char* name : {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ",
                           "_NET_WM_STATE_FULLSCREEN"}) {
    const xcb_atom_t atom = InternAtom(connection, name);
    if (std::find(state.begin(), state.end(), atom) == state.end()) continue;
    // The window manager's message: remove (0) the state, asked by an
    // application (source 1).
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xid;
    message.type = property;
    message.data.data32[0] = 0;
    message.data.data32[1] = atom;
    message.data.data32[3] = 1;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
  }
  xcb_flush(connection);
}

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

void LeaveMaximisedStates(const QWidget&) {}
void ClearIconicStartState(const QWidget&) {}

#endif

}  // namespace mirto
