#include "ui/volumes.h"

#include <QStorageInfo>
#include <algorithm>

#include "base/file_ops.h"
#include "ui/text_convert.h"

namespace vellumet::ui {

std::vector<Volume> mounted_volumes() {
  std::vector<Volume> volumes;
  for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
    if (!info.isValid() || !info.isReady()) continue;
    std::string root = path_bytes(info.rootPath());
    if (root.empty() || !is_directory(root)) continue;
    if (std::any_of(volumes.begin(), volumes.end(),
                    [&](const Volume& v) { return v.root == root; }))
      continue;
    std::string label = root;
    QString name = info.name();
    if (!name.isEmpty()) label += " [" + to_utf8(name) + "]";
    volumes.push_back({root, label});
  }
  if (std::none_of(volumes.begin(), volumes.end(), [](const Volume& v) { return v.root == "/"; }))
    volumes.push_back({"/", "/"});
  std::sort(volumes.begin(), volumes.end(), [](const Volume& a, const Volume& b) {
    if ((a.root == "/") != (b.root == "/")) return a.root == "/";
    return a.root < b.root;
  });
  return volumes;
}

int volume_of(const std::vector<Volume>& volumes, const std::string& path) {
  int best = -1;
  std::size_t best_len = 0;
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    const std::string& root = volumes[i].root;
    bool inside =
        root == "/" ? path.starts_with("/") : path == root || path.starts_with(root + "/");
    if (inside && (best < 0 || root.size() > best_len)) {
      best = static_cast<int>(i);
      best_len = root.size();
    }
  }
  return best;
}

}  // namespace vellumet::ui
