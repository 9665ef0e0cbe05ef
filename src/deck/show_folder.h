#pragma once

#include <string>
#include <vector>

#include "base/text_file.h"
#include "source/show_manifest.h"

namespace vellumet::deck {

// Where the show of `deck` goes: `out` (without a final "/") when not empty,
// else beside the deck, named after it without its extension
// ("talks/deck.pdf" -> "talks/deck"). "" when the deck's name is all
// extension (".pdf").
std::string show_folder_for(const std::string& deck, const std::string& out);

enum class FolderUse {
  Create,  // nothing has the name yet, or only what runs ended by force left
           // there: the folder is made
  Update,  // a show made here before: its files are replaced
  Fill,    // an empty folder the user named as the place to write to
  Refuse,  // anything else: not ours to change
};

// What a run may do with `folder`; `named` says the user named it as the
// place to write to. For Update, `old` is the show's manifest. A folder that
// holds nothing but the work folders of runs that ended by force counts as
// empty, and so does one a killed run made and left with nothing else.
FolderUse folder_use(const std::string& folder, bool named, Manifest& old);

// The hidden folders runs work in inside a show: ".vellumet-new-" (the new
// files, see Staging) or ".vellumet-old-" (the files a commit replaces) and
// six letters or digits. Each holds the file ".lock", locked (flock) by its
// run for as long as the folder is there, so another run can tell one in use
// from one that a run ended by force (kill -9, a power loss) left behind.
//
// Removes those of `show` that no process holds, each while holding its lock,
// so that a folder a run has just begun is never taken from it. The files of
// a dead ".vellumet-old-" folder go back into the show first where nothing
// has taken their names (a run killed while putting files in place). Best
// effort: what cannot go stays.
void remove_dead_work_folders(const std::string& show);

// A work folder inside a show, holding its lock while the object lives and
// removed with its contents when it goes.
class WorkFolder {
 public:
  WorkFolder() = default;
  ~WorkFolder() { remove(); }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  // Makes a new one in `show`, named `prefix` (one of the two above) and six
  // letters or digits.
  FileResult make(const std::string& show, const char* prefix);
  const std::string& path() const { return path_; }
  void remove();

 private:
  std::string path_;
  int lock_ = -1;
};

// The images and download file a manifest lists, by their names in the show.
std::vector<std::string> manifest_files(const Manifest& manifest);

// A show's new files, written in a hidden folder inside the show and put in
// place together: until then the show keeps its old files, and a failure
// or a cancel leaves it as it was. The folder is removed when the object goes;
// so is the show folder itself when this run made it and did not commit.
class Staging {
 public:
  Staging() = default;
  ~Staging();
  Staging(const Staging&) = delete;
  Staging& operator=(const Staging&) = delete;

  // Prepares `show`, making it first when `make` is set.
  FileResult open(const std::string& show, bool make);
  // Where the new files are written.
  const std::string& path() const { return staging_.path(); }

  // Puts the files `names` of the staging folder in place in the show, in
  // their order, each replacing the file of its name, and takes away
  // `old_names` that `names` does not hold. All or nothing: when a step fails,
  // every file is put back where it was.
  FileResult commit(const std::vector<std::string>& names,
                    const std::vector<std::string>& old_names);

 private:
  std::string show_;
  WorkFolder staging_;
  bool made_show_ = false;
  bool committed_ = false;
};

}  // namespace vellumet::deck
