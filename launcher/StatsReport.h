#pragma once

// The figure the storm tests watch: with the environment variable
// MIRTO_STATS_FILE naming a file, the launcher writes its number of live
// controls there ("controls N") every quarter second and once more at its
// end, so that a test driving it hard can see the count stay flat. Without
// the variable nothing is written and no timer runs.

#include <QString>
#include <memory>

namespace mirto {

class TTimer;

class TStatsReport {
 public:
  // An empty file name switches the report off.
  explicit TStatsReport(QString fileName);
  // Writes the figure once more.
  ~TStatsReport();
  TStatsReport(const TStatsReport&) = delete;
  TStatsReport& operator=(const TStatsReport&) = delete;

  // Replaces the file's contents in one step, so a reader never sees half a line.
  void Write() const;

 private:
  QString fileName_;
  std::unique_ptr<TTimer> timer_;
};

}  // namespace mirto
