// The workshop of the stand-in: published items, change notes and subscriptions in the SQLite
// database <state folder>/workshop.db, each item's file and preview kept byte for byte under
// <state folder>/items/<id>/.
#pragma once

#include <steam/steamtypes.h>

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;

namespace steamstandin {

struct Item {
    PublishedFileId_t id = 0;
    AppId_t appId = 0;
    uint64_t owner = 0;
    std::string title;
    std::string description;
    std::string tags; // comma-separated
    int visibility = 0;
    int fileType = 0;
    std::string fileName;    // cloud name the file was published from
    int64_t fileSize = 0;
    std::string previewName; // empty when there is no preview
    int64_t previewSize = 0;
    uint32_t created = 0;
    uint32_t updated = 0;
};

class Workshop {
public:
    ~Workshop() { Close(); }

    bool Open(const std::string& folder);
    void Close();

    // Adds the item with a new id, copying its file (and the preview when previewPath is not
    // empty); fills in id and sizes. k_EResultOK or k_EResultIOFailure.
    EResult Publish(Item& item, const std::string& filePath, const std::string& previewPath);
    bool Find(PublishedFileId_t id, Item& out);
    // Ids of the owner's items for the application, oldest first.
    std::vector<PublishedFileId_t> ItemsOf(uint64_t owner, AppId_t appId);
    // Replaces the item's file when filePath is not empty and records the change note.
    EResult Update(PublishedFileId_t id, const std::string& fileName, const std::string& filePath,
                   const std::string& changeNote, uint32_t when);

    // Every item of the application, oldest first.
    std::vector<Item> ItemsOfApp(AppId_t appId);

    // The user's subscriptions, votes (one per user and item, replaced by a new one) and the
    // actions recorded on items. k_EResultOK, k_EResultFileNotFound for an unknown item or
    // k_EResultIOFailure.
    EResult Subscribe(uint64_t user, PublishedFileId_t id, uint32_t when);
    EResult Unsubscribe(uint64_t user, PublishedFileId_t id);
    EResult Vote(uint64_t user, PublishedFileId_t id, bool up);
    bool VoteCounts(PublishedFileId_t id, int64_t& votesFor, int64_t& votesAgainst);
    EResult RecordAction(uint64_t user, PublishedFileId_t id, int action, uint32_t when);

    std::string FilePath(PublishedFileId_t id) const;
    std::string PreviewPath(PublishedFileId_t id) const;

private:
    bool Exec(const char* sql);
    bool Exists(PublishedFileId_t id);
    EResult Change(const char* sql, uint64_t user, PublishedFileId_t id, int64_t value, bool needsItem);

    sqlite3* m_db = nullptr;
    std::string m_items;
};

// Content handles of an item's file and preview (UGCDownload), and back.
inline UGCHandle_t FileHandleOf(PublishedFileId_t id) { return id << 1; }
inline UGCHandle_t PreviewHandleOf(PublishedFileId_t id) { return (id << 1) | 1; }
inline PublishedFileId_t ItemOfHandle(UGCHandle_t handle) { return handle >> 1; }
inline bool IsPreviewHandle(UGCHandle_t handle) { return (handle & 1) != 0; }

// Copies a file's bytes; false on any error (the target is then removed).
bool CopyFile(const std::string& from, const std::string& to);

} // namespace steamstandin
