#include "create/posix_source.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace create {

bool PosixSource::List(const std::string& folder, std::vector<DirEntry>& out) {
  out.clear();
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  int fd = dirfd(dir);
  while (dirent* d = readdir(dir)) {
    DirEntry e;
    e.name = d->d_name;
    e.hidden = !e.name.empty() && e.name[0] == '.';
    // A folder's type is in the entry itself; only files need their size.
    if (d->d_type == DT_DIR) {
      e.folder = true;
      out.push_back(std::move(e));
      continue;
    }
    struct stat st;
    if (fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISLNK(st.st_mode)) {
      struct stat target;
      if (fstatat(fd, d->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode)) {
        e.folder = true;
        e.link = true;
      }
    } else if (S_ISDIR(st.st_mode)) {
      e.folder = true;
    }
    if (!e.folder) e.size = st.st_size;
    out.push_back(std::move(e));
  }
  closedir(dir);
  return true;
}

}  // namespace create
