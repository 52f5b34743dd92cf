// The per-user store on Linux: one text file, $XDG_CONFIG_HOME/coralux/settings.reg
// (config home ~/.config by default), in the format CStoreDocument describes.
// Every change is a locked read-modify-write of the newest file, so two
// processes saving at once (the setup dialog and a show) both keep their values.
// Earlier versions kept the file at "Quillworth Software/Coralux Screensaver.reg"
// in the config home: while the new file is missing, that one is read, and
// the first change writes the new file from it. The old file stays as it was.
#include "platform/Store.h"

#include "platform/linux/FolderLock.h"
#include "platform/linux/StoreDocument.h"
#include "platform/linux/StoreFile.h"
#include "platform/linux/StoreText.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const char STORE_FILE[] = "coralux/settings.reg";
const char EARLIER_STORE_FILE[] = "Quillworth Software/Coralux Screensaver.reg";
// A store holds a few hundred bytes; a far larger file is not ours to load or rewrite.
const size_t MAX_STORE_BYTES = 1024 * 1024;

struct SStoreChange
{
    std::string name;
    uint32_t value;
    bool keepStored;  // a 4-byte value already in the file wins
};

// Where the store is, and where earlier versions kept it.
struct SStorePlace
{
    std::string file;
    std::string earlierFile;
};

struct SStoreKey
{
    SStorePlace place;
    std::string path;
    CStoreDocument document;  // as read when opened, with the values set since
    std::vector<SStoreChange> changes;
};

bool HoldsDword(const CStoreDocument& document, const std::string& path, const std::string& name)
{
    SStoreValue value;
    return document.FindValue(path, name, &value) && value.data.size() == 4;
}

// Applies the change to the document unless it keeps a stored value. False
// when the document refuses the name.
bool ApplyChange(CStoreDocument& document, const std::string& path, const SStoreChange& change)
{
    if (change.keepStored && HoldsDword(document, path, change.name))
        return true;
    return document.SetDword(path, change.name, change.value);
}

// $XDG_CONFIG_HOME; a relative one is ignored, as the XDG rules ask.
std::string GetConfigHome()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/')
        return configHome;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* user = getpwuid(getuid());
        if (!user || !user->pw_dir || user->pw_dir[0] != '/')
            return {};
        home = user->pw_dir;
    }
    return std::string(home) + "/.config";
}

// Makes each missing folder of the path, private to the user as the XDG rules ask.
void MakeFolders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        mkdir(folder.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos)
            return;
    }
}

std::string GetFolder(const std::string& file)
{
    return file.substr(0, file.rfind('/'));
}

// The store's file, or while it is missing the one of earlier versions. An
// unreadable file gives no document: it must not be replaced by one without its values.
bool ReadStore(const SStorePlace& place, CStoreDocument* document)
{
    std::string bytes;
    EStoreFileRead read = ReadStoreFile(place.file, MAX_STORE_BYTES, &bytes);
    if (read == STORE_FILE_MISSING)
        read = ReadStoreFile(place.earlierFile, MAX_STORE_BYTES, &bytes);
    if (read == STORE_FILE_UNREADABLE)
        return false;
    *document = CStoreDocument(read == STORE_FILE_READ ? DecodeStoreText(bytes) : std::string());
    return true;
}

// Applies the change to the newest store under the folder's lock and writes
// the store's file. A file that cannot be read is never overwritten.
bool UpdateStoreFile(const SStorePlace& place, const std::function<void(CStoreDocument&)>& change)
{
    const CFolderLock lock(GetFolder(place.file));
    if (!lock.IsHeld())
        return false;
    CStoreDocument document;
    if (!ReadStore(place, &document))
        return false;
    change(document);
    return ReplaceStoreFile(place.file, document.Format());
}

SStoreKey* GetKey(HStoreKey key)
{
    return reinterpret_cast<SStoreKey*>(key);
}

// Kept in the key's document at once, so queries see it, and written at close.
bool AddChange(SStoreKey& key, const SStoreChange& change)
{
    if (!ApplyChange(key.document, key.path, change))
        return false;
    key.changes.push_back(change);
    return true;
}

}  // namespace

HStoreKey SysCreateStoreKey(const char* path)
{
    const std::string configHome = GetConfigHome();
    if (configHome.empty())
        return 0;
    auto key = std::make_unique<SStoreKey>();
    key->place = {configHome + "/" + STORE_FILE, configHome + "/" + EARLIER_STORE_FILE};
    key->path = path;
    MakeFolders(GetFolder(key->place.file));
    if (!ReadStore(key->place, &key->document))
        return 0;
    if (!key->document.HasKey(path)) {
        if (!UpdateStoreFile(key->place, [path](CStoreDocument& document) { document.AddKey(path); }))
            return 0;
        key->document.AddKey(path);
    }
    return reinterpret_cast<HStoreKey>(key.release());
}

bool SysQueryStoreValue(HStoreKey key, const char* name, uint32_t* type, void* data, uint32_t* size)
{
    if (!key)
        return false;
    SStoreValue value;
    if (!GetKey(key)->document.FindValue(GetKey(key)->path, name, &value))
        return false;
    const uint32_t stored = static_cast<uint32_t>(value.data.size());
    const bool fits = stored <= *size;
    *size = stored;
    if (!fits)
        return false;
    *type = value.type;
    if (stored > 0)
        std::memcpy(data, value.data.data(), stored);
    return true;
}

bool SysSetStoreDword(HStoreKey key, const char* name, uint32_t value)
{
    return key && AddChange(*GetKey(key), {name, value, false});
}

bool SysAddStoreDword(HStoreKey key, const char* name, uint32_t value)
{
    return key && AddChange(*GetKey(key), {name, value, true});
}

bool SysCloseStoreKey(HStoreKey key)
{
    if (!key)
        return true;
    const std::unique_ptr<SStoreKey> owned(GetKey(key));
    if (owned->changes.empty())
        return true;
    // The newest file decides whether a kept value is there.
    return UpdateStoreFile(owned->place, [&owned](CStoreDocument& document) {
        for (const SStoreChange& change : owned->changes)
            ApplyChange(document, owned->path, change);
    });
}
