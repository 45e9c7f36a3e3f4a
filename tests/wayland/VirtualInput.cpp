// A pointer and a keyboard of our own on a wlroots compositor: one virtual
// pointer (zwlr_virtual_pointer_v1) and one virtual keyboard
// (zwp_virtual_keyboard_v1) that live as long as this program, so that the
// compositor sees one steady pair of devices, as from a person, and no
// device that comes and goes between two keys.
//
//   wayland_virtual_input WIDTH HEIGHT
//
// WIDTH x HEIGHT is the size of the output layout that absolute pointer
// positions refer to. Reads one command a line from standard input and
// answers each with "ok" (or "error: ...") once the compositor has taken
// it in:
//   move X Y            the pointer to (X, Y) of the layout
//   press [BUTTON]      BUTTON: left (default), right or middle
//   release [BUTTON]
//   key COMBO           e.g. Escape, Return, ctrl+3, alt+Home, shift+F10
// Ends at the end of its input.

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

// The virtual keyboard's two interfaces, described here: the protocol's
// description file ships with no Debian package. Requests in protocol order.
namespace {

const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr, nullptr};
extern const wl_interface kVirtualKeyboard;
const wl_interface* kCreateKeyboardTypes[] = {&wl_seat_interface, &kVirtualKeyboard};

const wl_message kManagerRequests[] = {
    {"create_virtual_keyboard", "on", kCreateKeyboardTypes},
};
const wl_interface kVirtualKeyboardManager = {
    "zwp_virtual_keyboard_manager_v1", 1, 1, kManagerRequests, 0, nullptr};

const wl_message kKeyboardRequests[] = {
    {"keymap", "uhu", kNoTypes},
    {"key", "uuu", kNoTypes},
    {"modifiers", "uuuu", kNoTypes},
    {"destroy", "", kNoTypes},
};
const wl_interface kVirtualKeyboard = {"zwp_virtual_keyboard_v1", 1, 4,
                                       kKeyboardRequests,         0, nullptr};

enum KeyboardRequest : std::uint32_t { kKeymap = 0, kKey = 1, kModifiers = 2, kDestroy = 3 };

// The modifier masks of that keymap (Shift, Control, Mod1): a virtual keyboard's keys do not move
// the modifier state by themselves, so it is sent with each combination.
constexpr std::uint32_t kShiftMask = 1u << 0;
constexpr std::uint32_t kControlMask = 1u << 2;
constexpr std::uint32_t kAltMask = 1u << 3;

struct Input {
  wl_display* display = nullptr;
  wl_seat* seat = nullptr;
  zwlr_virtual_pointer_manager_v1* pointerManager = nullptr;
  wl_proxy* keyboardManager = nullptr;
  zwlr_virtual_pointer_v1* pointer = nullptr;
  wl_proxy* keyboard = nullptr;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// The keyboard's layout, in the keymap language that the compositor compiles
// from the system's keyboard data: the common US layout of a PC keyboard.
constexpr char kKeymapText[] =
    "xkb_keymap {\n"
    "  xkb_keycodes { include \"evdev+aliases(qwerty)\" };\n"
    "  xkb_types { include \"complete\" };\n"
    "  xkb_compat { include \"complete\" };\n"
    "  xkb_symbols { include \"pc+us+inet(evdev)\" };\n"
    "};\n";

// A file descriptor of the keymap text, with its closing zero byte.
int KeymapFile() {
  const int fd = memfd_create("keymap", MFD_CLOEXEC);
  if (fd < 0) return -1;
  if (write(fd, kKeymapText, sizeof kKeymapText) != static_cast<ssize_t>(sizeof kKeymapText)) {
    close(fd);
    return -1;
  }
  return fd;
}

std::uint32_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
  auto* input = static_cast<Input*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && input->seat == nullptr) {
    input->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    input->pointerManager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  } else if (std::strcmp(interface, kVirtualKeyboardManager.name) == 0) {
    input->keyboardManager =
        static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kVirtualKeyboardManager, 1));
  }
}
void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

bool Connect(Input& input) {
  input.display = wl_display_connect(nullptr);
  if (input.display == nullptr) {
    std::fprintf(stderr, "wayland_virtual_input: no Wayland display: %s\n", std::strerror(errno));
    return false;
  }
  wl_registry* registry = wl_display_get_registry(input.display);
  wl_registry_add_listener(registry, &kRegistryListener, &input);
  wl_display_roundtrip(input.display);
  if (input.seat == nullptr || input.pointerManager == nullptr ||
      input.keyboardManager == nullptr) {
    std::fprintf(stderr,
                 "wayland_virtual_input: the compositor offers no seat, virtual pointer or "
                 "virtual keyboard\n");
    return false;
  }
  const int keymap = KeymapFile();
  if (keymap < 0) {
    std::fprintf(stderr, "wayland_virtual_input: no keymap file: %s\n", std::strerror(errno));
    return false;
  }
  input.pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(input.pointerManager, input.seat);
  input.keyboard = wl_proxy_marshal_constructor(input.keyboardManager, 0, &kVirtualKeyboard,
                                                input.seat, nullptr);
  wl_proxy_marshal(input.keyboard, kKeymap,
                   static_cast<std::uint32_t>(WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1), keymap,
                   static_cast<std::uint32_t>(sizeof kKeymapText));
  const bool connected = wl_display_roundtrip(input.display) >= 0;
  close(keymap);
  return connected;
}

void Move(Input& input, std::uint32_t x, std::uint32_t y) {
  zwlr_virtual_pointer_v1_motion_absolute(input.pointer, NowMs(), x, y, input.width, input.height);
  zwlr_virtual_pointer_v1_frame(input.pointer);
}

void Button(Input& input, std::uint32_t button, bool pressed) {
  zwlr_virtual_pointer_v1_button(
      input.pointer, NowMs(), button,
      pressed ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
  zwlr_virtual_pointer_v1_frame(input.pointer);
}

bool ButtonCode(const std::string& name, std::uint32_t& code) {
  static const std::map<std::string, std::uint32_t> buttons = {
      {"left", BTN_LEFT}, {"right", BTN_RIGHT}, {"middle", BTN_MIDDLE}};
  const auto it = buttons.find(name.empty() ? "left" : name);
  if (it == buttons.end()) return false;
  code = it->second;
  return true;
}

bool KeyCode(const std::string& name, std::uint32_t& code) {
  static const std::map<std::string, std::uint32_t> keys = {{"Escape", KEY_ESC},
                                                            {"Return", KEY_ENTER},
                                                            {"Tab", KEY_TAB},
                                                            {"space", KEY_SPACE},
                                                            {"BackSpace", KEY_BACKSPACE},
                                                            {"Home", KEY_HOME},
                                                            {"End", KEY_END},
                                                            {"Up", KEY_UP},
                                                            {"Down", KEY_DOWN},
                                                            {"Left", KEY_LEFT},
                                                            {"Right", KEY_RIGHT},
                                                            {"Menu", KEY_COMPOSE},
                                                            {"F1", KEY_F1},
                                                            {"F10", KEY_F10},
                                                            {"1", KEY_1},
                                                            {"2", KEY_2},
                                                            {"3", KEY_3},
                                                            {"4", KEY_4},
                                                            {"5", KEY_5},
                                                            {"6", KEY_6},
                                                            {"7", KEY_7},
                                                            {"8", KEY_8},
                                                            {"9", KEY_9},
                                                            {"0", KEY_0},
                                                            {"a", KEY_A},
                                                            {"m", KEY_M},
                                                            {"q", KEY_Q},
                                                            {"v", KEY_V},
                                                            {"l", KEY_L},
                                                            {"p", KEY_P},
                                                            {"w", KEY_W}};
  const auto it = keys.find(name);
  if (it == keys.end()) return false;
  code = it->second;
  return true;
}

void Key(Input& input, std::uint32_t code, bool pressed) {
  wl_proxy_marshal(input.keyboard, kKey, NowMs(), code,
                   static_cast<std::uint32_t>(pressed ? WL_KEYBOARD_KEY_STATE_PRESSED
                                                      : WL_KEYBOARD_KEY_STATE_RELEASED));
}

void Modifiers(Input& input, std::uint32_t mask) {
  wl_proxy_marshal(input.keyboard, kModifiers, mask, 0u, 0u, 0u);
}

// "ctrl+shift+3": the modifiers held around one key.
std::string Combo(Input& input, const std::string& combo) {
  std::vector<std::string> parts;
  std::stringstream stream(combo);
  for (std::string part; std::getline(stream, part, '+');) parts.push_back(part);
  if (parts.empty()) return "no key given";
  struct Held {
    std::uint32_t code;
    std::uint32_t mask;
  };
  std::vector<Held> held;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    if (parts[i] == "ctrl")
      held.push_back({KEY_LEFTCTRL, kControlMask});
    else if (parts[i] == "alt")
      held.push_back({KEY_LEFTALT, kAltMask});
    else if (parts[i] == "shift")
      held.push_back({KEY_LEFTSHIFT, kShiftMask});
    else
      return "unknown modifier " + parts[i];
  }
  std::uint32_t code = 0;
  if (!KeyCode(parts.back(), code)) return "unknown key " + parts.back();
  std::uint32_t mask = 0;
  for (const Held& h : held) {
    Key(input, h.code, true);
    mask |= h.mask;
    Modifiers(input, mask);
  }
  Key(input, code, true);
  Key(input, code, false);
  for (auto it = held.rbegin(); it != held.rend(); ++it) {
    Key(input, it->code, false);
    mask &= ~it->mask;
    Modifiers(input, mask);
  }
  return {};
}

// One command; an empty answer is success.
std::string Run(Input& input, const std::string& line) {
  std::istringstream words(line);
  std::string command;
  words >> command;
  if (command == "move") {
    long x = -1, y = -1;
    words >> x >> y;
    if (x < 0 || y < 0 || x >= static_cast<long>(input.width) ||
        y >= static_cast<long>(input.height))
      return "no point on the layout";
    Move(input, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
    return {};
  }
  if (command == "press" || command == "release") {
    std::string button;
    words >> button;
    std::uint32_t code = 0;
    if (!ButtonCode(button, code)) return "unknown button " + button;
    Button(input, code, command == "press");
    return {};
  }
  if (command == "key") {
    std::string combo;
    words >> combo;
    return Combo(input, combo);
  }
  return "unknown command " + command;
}

}  // namespace

int main(int argc, char** argv) {
  Input input;
  if (argc != 3 || std::sscanf(argv[1], "%u", &input.width) != 1 ||
      std::sscanf(argv[2], "%u", &input.height) != 1 || input.width == 0 || input.height == 0) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  if (!Connect(input)) return 1;
  for (std::string line; std::getline(std::cin, line);) {
    if (line.empty()) continue;
    const std::string error = Run(input, line);
    // The answer waits until the compositor has handled every request.
    if (wl_display_roundtrip(input.display) < 0) {
      std::printf("error: the compositor closed the connection\n");
      return 1;
    }
    if (error.empty())
      std::printf("ok\n");
    else
      std::printf("error: %s\n", error.c_str());
    std::fflush(stdout);
  }
  wl_proxy_marshal(input.keyboard, kDestroy);
  wl_proxy_destroy(input.keyboard);
  zwlr_virtual_pointer_v1_destroy(input.pointer);
  wl_display_roundtrip(input.display);
  wl_display_disconnect(input.display);
  return 0;
}
