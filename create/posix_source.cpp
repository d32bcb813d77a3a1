#include "create/posix_source.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_time.h"

namespace create {
namespace {

void Stamp(DirEntry& e, const struct stat& st) {
  e.modified = filetime::FromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  if (e.hidden) e.attributes |= kAttrHidden;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) e.attributes |= kAttrReadOnly;
}

}  // namespace

bool PosixSource::List(const std::string& folder, std::vector<DirEntry>& out) {
  out.clear();
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  int fd = dirfd(dir);
  while (dirent* d = readdir(dir)) {
    DirEntry e;
    e.name = d->d_name;
    e.hidden = !e.name.empty() && e.name[0] == '.';
    // Folders are measured too: their time is recorded.
    struct stat st;
    if (fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISLNK(st.st_mode)) {
      e.attributes |= kAttrLink;
      struct stat target;
      if (fstatat(fd, d->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode)) {
        e.folder = true;
        e.link = true;
      }
    } else if (S_ISDIR(st.st_mode)) {
      e.folder = true;
    }
    Stamp(e, st);
    if (!e.folder) e.size = st.st_size;
    out.push_back(std::move(e));
  }
  closedir(dir);
  return true;
}

}  // namespace create
