#pragma once

#include <optional>
#include <string>

// Copying plot files from elsewhere into the work folder, where the next scan
// queues them. Paths are bytes as the file system holds them.

// The first path in folderPath (ending in "/") that no file, folder or link
// occupies: folderPath + name, else base + "_1." + extension, "_2." and so on,
// where the extension follows the name's last "." and the base precedes it.
// A name without "." is numbered as name + "_1", name + "_2" and so on.
std::string FreeWorkFolderPath(const std::string& folderPath, const std::string& name);

// Copies the regular file source to destination, which it creates and which
// must not exist yet: an entry that appeared there after the name was chosen
// is never overwritten. A copy that fails part-way is removed again, so the
// scan never queues half a drawing. False when nothing was copied.
bool CopyFileExclusively(const std::string& source, const std::string& destination);

// Copies source into the work folder named by workPath under the first free
// name; the path of the copy, or nothing when the copy failed.
std::optional<std::string> AddFileToWorkFolder(const std::string& source, const std::string& workPath);
