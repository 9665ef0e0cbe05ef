#pragma once

#include <string>
#include <vector>

#include "base/text_file.h"
#include "deck/manifest.h"

namespace vellumet::deck {

// Where the show of `deck` goes: `out` (without a final "/") when not empty,
// else beside the deck, named after it without its extension
// ("talks/deck.pdf" -> "talks/deck"). "" when the deck's name is all
// extension (".pdf").
std::string show_folder_for(const std::string& deck, const std::string& out);

enum class FolderUse {
  Create,  // nothing has the name yet: the folder is made
  Update,  // a show made here before: its files are replaced
  Fill,    // an empty folder the user named as the place to write to
  Refuse,  // anything else: not ours to change
};

// What a run may do with `folder`; `named` says the user named it as the
// place to write to. For Update, `old` is the show's manifest.
FolderUse folder_use(const std::string& folder, bool named, Manifest& old);

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
  const std::string& path() const { return path_; }

  // Puts the files `names` of the staging folder in place in the show, in
  // their order, each replacing the file of its name, and takes away
  // `old_names` that `names` does not hold. All or nothing: when a step fails,
  // every file is put back where it was.
  FileResult commit(const std::vector<std::string>& names,
                    const std::vector<std::string>& old_names);

 private:
  std::string show_;
  std::string path_;
  bool made_show_ = false;
  bool committed_ = false;
};

}  // namespace vellumet::deck
