#pragma once

// One running launcher per user and folder. A start first asks a launcher
// already running from the same folder to come to the front; when one
// answers, the new start has nothing more to do. Otherwise it becomes the
// one later starts ask. Asking needs no application object, so a start that
// only hands over never connects to the window system; listening needs the
// event loop, and until it listens the start holds the start lock, so that a
// later start waits for it instead of finding nobody. The request travels
// over a local socket in a folder only the user can enter; its name is
// derived from the launcher's folder, so launchers in two folders never meet.

#include <QString>
#include <functional>
#include <memory>

namespace mirto {

enum class TInstanceClaim {
  icFirst,        // no other launcher answered: this one is to Listen
  icHandedOver,   // a running launcher took the request: this start ends
  icCheckFailed,  // the check itself failed (see ErrorText): start anyway
};
using enum TInstanceClaim;

// The one line a start sends; anything else is ignored.
inline constexpr char kActivateRequest[] = "mirto:activate:1\n";

class TSingleInstance {
 public:
  // folder: the folder the launcher runs from (its executable's folder).
  explicit TSingleInstance(const QString& folder);
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // Asks a launcher running from the folder to come to the front. Blocks for
  // at most about two seconds (another start holding the start lock) plus
  // one (a running launcher's answer). After icFirst the start lock stays
  // held until Listen or the end of this object.
  TInstanceClaim Claim();

  // After icFirst, once the application object exists: listens for later
  // starts and lets go of the start lock. False, with the reason in
  // ErrorText, when listening fails; the launcher then runs on unreachable.
  bool Listen();
  // Stops listening; call while the application object still exists.
  void StopListening();

  // Called from the event loop each time a later start asks this launcher
  // to come to the front.
  std::function<void()> OnActivate;

  // Why the check failed, as one line for the user.
  const QString& ErrorText() const;
  // The socket's name (a file name where the platform has socket files).
  const QString& ServerName() const;

  // The private folder that holds the sockets: created owner-only when
  // missing, refused (empty result, reason in error) when someone else owns
  // it or others may enter it.
  static QString PrivateFolder(QString* error = nullptr);
  // The socket name for a launcher in folder, inside privateFolder.
  static QString ServerNameFor(const QString& privateFolder, const QString& folder);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace mirto
