#include "common/files.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

wxString ResolvedPath(const wxString& path)
{
    char* resolved = realpath(path.fn_str(), nullptr);
    if (!resolved)
        return path;
    const wxString result(resolved, *wxConvFileName);
    std::free(resolved);
    return result;
}

bool IsSpecialFile(const wxString& path)
{
    struct stat existing;
    return stat(path.fn_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
           !S_ISDIR(existing.st_mode);
}

bool IsReadOnly(const wxString& path)
{
    struct stat existing;
    return stat(path.fn_str(), &existing) == 0 && access(path.fn_str(), W_OK) != 0;
}

int CreateNewFile(const wxString& path)
{
    return open(path.fn_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

void CopyAccessRights(const wxString& from, int fd)
{
    struct stat existing;
    if (stat(from.fn_str(), &existing) == 0)
        fchmod(fd, existing.st_mode & 07777);
}

bool SyncFile(int fd)
{
    return fsync(fd) == 0;
}

bool MoveIntoPlace(const wxString& from, const wxString& to)
{
    return rename(from.fn_str(), to.fn_str()) == 0;
}
