#pragma once

// One running launcher per user and folder. A start first asks a launcher
// already running from the same folder to come to the front; when one
// answers, the new start has nothing more to do. Otherwise it becomes the
// one later starts ask. The request travels over a local socket in a
// folder only the user can enter; its name is derived from the launcher's
// folder, so launchers in two folders never meet.

#include <QString>
#include <functional>
#include <memory>

namespace mirto {

enum class TInstanceClaim {
  icFirst,        // no other launcher answered: this one now listens
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

  // Asks a launcher running from the folder to come to the front, or
  // starts listening for later starts. Blocks for at most about a second.
  TInstanceClaim Claim();

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
