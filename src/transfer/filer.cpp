#include "transfer/filer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "editor/editor.h"
#include "transfer/block_stream.h"
#include "transfer/chunk_codec.h"
#include "transfer/file_kind.h"

namespace korvan {

namespace {

// No file the editor reads comes near this; a larger one is not worth the memory.
constexpr off_t kLargestFile = 64 * 1024 * 1024;

bool WriteAll(int fd, const uint8_t* data, size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, data, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    data += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Saving through a symbolic link replaces the file it points to, not the link.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string resolved(real);
  std::free(real);
  return resolved;
}

}  // namespace

void Filer::AllocateBuffer() {
  FreeBuffer();
  try {
    buffer.assign(size, 0);
  } catch (const std::bad_alloc&) {
    error = kFilerMemoryFull;
    buffer.clear();
  }
  cursor = 0;
}

void Filer::FreeBuffer() {
  std::vector<uint8_t>().swap(buffer);
  cursor = 0;
}

void Filer::Load() {
  error = 0;
  if (medium == kMediumDisk) {
    LoadFile();
  } else if (medium >= 1 && medium <= 3) {
    DecodeStream();
  } else {
    error = kFilerBadMedium;
  }
}

void Filer::LoadFile() {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = kFilerNoFile;
    FreeBuffer();
    return;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = kFilerNoFile;
  } else if (st.st_size > kLargestFile) {
    error = kFilerMemoryFull;
  } else {
    size = static_cast<unsigned>(st.st_size);
    if (size != 0) {
      AllocateBuffer();
      size_t got = 0;
      while (!error && got < size) {
        const ssize_t r = ::read(fd, buffer.data() + got, size - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += static_cast<size_t>(r);
      }
      if (!error && got < size) error = kFilerDiskFull;
    }
  }
  ::close(fd);
  if (error) FreeBuffer();
}

void Filer::Store() {
  error = 0;
  if (medium == kMediumDisk) {
    StoreFile();
  } else if (medium >= 1 && medium <= 3) {
    SendBlock();
  } else {
    error = kFilerBadMedium;
  }
}

void Filer::StoreFile() {
  if (buffer.empty() || size == 0) return;
  if (fileName.empty()) {
    fileName = editor_.ui().AskSaveFileName(FileFilter(fileType));
    if (fileName.empty()) return;  // cancelled: nothing written, no error
  }
  const std::string target = ResolveTarget(fileName);
  // An existing file we may not write stays as it is.
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) {
    error = kFilerWriteProtected;
    return;
  }
  // The new image goes to a temporary file beside the old one and replaces it only when it is
  // complete and on disk, so a failed save never costs the file that was there.
  std::string temp = DirectoryOf(target) + "/.korvan-save-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = kFilerWriteProtected;
    return;
  }
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    ::fchmod(fd, old.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  bool ok = size <= buffer.size() && WriteAll(fd, buffer.data(), size) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    error = kFilerDiskFull;
  } else if (::rename(temp.c_str(), target.c_str()) != 0) {
    error = kFilerWriteProtected;
  }
  if (error) {
    ::unlink(temp.c_str());
    return;
  }
  const int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void Filer::Pack() {
  error = 0;
  ChunkCodec& codec = editor_.chunks();
  size = static_cast<unsigned>(codec.BodySize(fileType) + 16);
  if (size <= 16) {
    size = 0;
    return;
  }
  AllocateBuffer();
  if (error) return;
  codec.Write(*this);
}

void Filer::Unpack() {
  if (fileType == kFileProgram) {
    FreeBuffer();
    return;
  }
  editor_.chunks().Read(*this);
}

std::string Filer::ErrorText(bool outgoing) const {
  if (medium == kMediumDisk) {
    switch (error) {
      case 1:
        return outgoing ? "No File Loaded" : "No File to Save Backup";
      case 2:
        return "Memory Full";
      case 4:
        return "Disk Full";
      case 5:
        return "Disk Write Protected";
      case 6:
        return "File has Illegal data";
    }
  } else if (medium >= 1 && medium <= 3) {
    switch (error) {
      case 1:
        return outgoing ? "No File to Send" : "File not Send";
      case 2:
        return "Memory Full";
      case 6:
        return "File has Illegal data";
    }
  }
  char text[64];
  std::snprintf(text, sizeof text, "Not %d On %u For %u", outgoing ? 1 : 0, medium, error);
  return text;
}

void Filer::ReportError(bool outgoing) {
  const std::string text = ErrorText(outgoing);
  editor_.ui().MessageBox(fileName + "\nFile error:      \n\n" + text, MsgIcon::Error,
                          MsgButtons::Abort);
  editor_.Log("File error: " + text);
  error = 0;
}

}  // namespace korvan
