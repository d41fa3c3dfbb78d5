// SQLite store of the stand-in's workshop items.
#include "Workshop.h"
#include "Cloud.h"

#include <sqlite3.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace steamstandin {

namespace {

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS items("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, app_id INTEGER NOT NULL, owner INTEGER NOT NULL,"
    " title TEXT NOT NULL, description TEXT NOT NULL, tags TEXT NOT NULL,"
    " visibility INTEGER NOT NULL, file_type INTEGER NOT NULL,"
    " file_name TEXT NOT NULL, file_size INTEGER NOT NULL,"
    " preview_name TEXT NOT NULL, preview_size INTEGER NOT NULL,"
    " created INTEGER NOT NULL, updated INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS change_notes("
    " item_id INTEGER NOT NULL, time INTEGER NOT NULL, note TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS subscriptions("
    " user INTEGER NOT NULL, item_id INTEGER NOT NULL, time INTEGER NOT NULL,"
    " PRIMARY KEY(user, item_id));"
    "CREATE TABLE IF NOT EXISTS votes("
    " user INTEGER NOT NULL, item_id INTEGER NOT NULL, up INTEGER NOT NULL,"
    " PRIMARY KEY(user, item_id));"
    "CREATE TABLE IF NOT EXISTS actions("
    " user INTEGER NOT NULL, item_id INTEGER NOT NULL, action INTEGER NOT NULL, time INTEGER NOT NULL);"
    // Ids start above 2^31, so callers meet full 64-bit ids from the first item.
    "INSERT INTO sqlite_sequence(name, seq) SELECT 'items', 3000000000"
    " WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = 'items');";

// Prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    bool Ok() const { return m_stmt != nullptr; }
    void Bind(int i, int64_t value) { sqlite3_bind_int64(m_stmt, i, value); }
    void Bind(int i, const std::string& text) { sqlite3_bind_text(m_stmt, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT); }
    int Step() { return sqlite3_step(m_stmt); }
    int64_t Int(int col) { return sqlite3_column_int64(m_stmt, col); }
    std::string Text(int col)
    {
        const unsigned char* text = sqlite3_column_text(m_stmt, col);
        return text ? std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(m_stmt, col)) : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

void RemoveItemFolder(const std::string& folder)
{
    unlink((folder + "/file").c_str());
    unlink((folder + "/preview").c_str());
    rmdir(folder.c_str());
}

} // namespace

bool CopyFile(const std::string& from, const std::string& to)
{
    FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return false;
    std::string part = to + ".part";
    FILE* out = std::fopen(part.c_str(), "wb");
    bool ok = out != nullptr;
    static const size_t kBlock = 1 << 16;
    std::vector<char> block(kBlock);
    while (ok) {
        size_t n = std::fread(block.data(), 1, kBlock, in);
        if (n > 0 && std::fwrite(block.data(), 1, n, out) != n)
            ok = false;
        if (n < kBlock) {
            ok = ok && !std::ferror(in);
            break;
        }
    }
    std::fclose(in);
    if (out && std::fclose(out) != 0)
        ok = false;
    ok = ok && std::rename(part.c_str(), to.c_str()) == 0;
    if (!ok)
        unlink(part.c_str());
    return ok;
}

bool Workshop::Open(const std::string& folder)
{
    Close();
    m_items = folder + "/items";
    if (!MakeFolders(m_items))
        return false;
    std::string path = folder + "/workshop.db";
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) {
        Close();
        return false;
    }
    sqlite3_busy_timeout(m_db, 5000);
    if (!Exec(kSchema)) {
        Close();
        return false;
    }
    return true;
}

void Workshop::Close()
{
    if (m_db)
        sqlite3_close(m_db);
    m_db = nullptr;
}

bool Workshop::Exec(const char* sql)
{
    return m_db && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string Workshop::FilePath(PublishedFileId_t id) const
{
    return m_items + "/" + std::to_string(id) + "/file";
}

std::string Workshop::PreviewPath(PublishedFileId_t id) const
{
    return m_items + "/" + std::to_string(id) + "/preview";
}

EResult Workshop::Publish(Item& item, const std::string& filePath, const std::string& previewPath)
{
    if (!Exec("BEGIN IMMEDIATE"))
        return k_EResultIOFailure;
    Statement insert(m_db,
                     "INSERT INTO items(app_id, owner, title, description, tags, visibility, file_type,"
                     " file_name, file_size, preview_name, preview_size, created, updated)"
                     " VALUES(?, ?, ?, ?, ?, ?, ?, ?, 0, ?, 0, ?, ?)");
    if (!insert.Ok()) {
        Exec("ROLLBACK");
        return k_EResultIOFailure;
    }
    insert.Bind(1, item.appId);
    insert.Bind(2, static_cast<int64_t>(item.owner));
    insert.Bind(3, item.title);
    insert.Bind(4, item.description);
    insert.Bind(5, item.tags);
    insert.Bind(6, item.visibility);
    insert.Bind(7, item.fileType);
    insert.Bind(8, item.fileName);
    insert.Bind(9, previewPath.empty() ? std::string() : item.previewName);
    insert.Bind(10, item.created);
    insert.Bind(11, item.updated);
    if (insert.Step() != SQLITE_DONE) {
        Exec("ROLLBACK");
        return k_EResultIOFailure;
    }
    item.id = static_cast<PublishedFileId_t>(sqlite3_last_insert_rowid(m_db));
    std::string folder = m_items + "/" + std::to_string(item.id);
    struct stat st;
    bool ok = MakeFolders(folder) && CopyFile(filePath, FilePath(item.id)) && stat(FilePath(item.id).c_str(), &st) == 0;
    item.fileSize = ok ? st.st_size : 0;
    item.previewSize = 0;
    if (ok && !previewPath.empty()) {
        ok = CopyFile(previewPath, PreviewPath(item.id)) && stat(PreviewPath(item.id).c_str(), &st) == 0;
        item.previewSize = ok ? st.st_size : 0;
    } else if (previewPath.empty()) {
        item.previewName.clear();
    }
    if (ok) {
        Statement sizes(m_db, "UPDATE items SET file_size = ?, preview_size = ? WHERE id = ?");
        sizes.Bind(1, item.fileSize);
        sizes.Bind(2, item.previewSize);
        sizes.Bind(3, static_cast<int64_t>(item.id));
        ok = sizes.Ok() && sizes.Step() == SQLITE_DONE;
    }
    if (!ok || !Exec("COMMIT")) {
        Exec("ROLLBACK");
        RemoveItemFolder(folder);
        item.id = 0;
        return k_EResultIOFailure;
    }
    return k_EResultOK;
}

#define ITEM_COLUMNS \
    "id, app_id, owner, title, description, tags, visibility, file_type, file_name," \
    " file_size, preview_name, preview_size, created, updated"

namespace {

void ReadItem(Statement& query, Item& out)
{
    out.id = static_cast<PublishedFileId_t>(query.Int(0));
    out.appId = static_cast<AppId_t>(query.Int(1));
    out.owner = static_cast<uint64_t>(query.Int(2));
    out.title = query.Text(3);
    out.description = query.Text(4);
    out.tags = query.Text(5);
    out.visibility = static_cast<int>(query.Int(6));
    out.fileType = static_cast<int>(query.Int(7));
    out.fileName = query.Text(8);
    out.fileSize = query.Int(9);
    out.previewName = query.Text(10);
    out.previewSize = query.Int(11);
    out.created = static_cast<uint32_t>(query.Int(12));
    out.updated = static_cast<uint32_t>(query.Int(13));
}

} // namespace

bool Workshop::Find(PublishedFileId_t id, Item& out)
{
    Statement query(m_db, "SELECT " ITEM_COLUMNS " FROM items WHERE id = ?");
    if (!query.Ok())
        return false;
    query.Bind(1, static_cast<int64_t>(id));
    if (query.Step() != SQLITE_ROW)
        return false;
    ReadItem(query, out);
    return true;
}

std::vector<Item> Workshop::ItemsOfApp(AppId_t appId)
{
    std::vector<Item> items;
    Statement query(m_db, "SELECT " ITEM_COLUMNS " FROM items WHERE app_id = ? ORDER BY id");
    if (!query.Ok())
        return items;
    query.Bind(1, appId);
    while (query.Step() == SQLITE_ROW) {
        items.emplace_back();
        ReadItem(query, items.back());
    }
    return items;
}

bool Workshop::Exists(PublishedFileId_t id)
{
    Statement query(m_db, "SELECT 1 FROM items WHERE id = ?");
    if (!query.Ok())
        return false;
    query.Bind(1, static_cast<int64_t>(id));
    return query.Step() == SQLITE_ROW;
}

// Runs a statement bound to (user, item, value); the value is skipped when the statement has
// only two parameters.
EResult Workshop::Change(const char* sql, uint64_t user, PublishedFileId_t id, int64_t value, bool needsItem)
{
    if (needsItem && !Exists(id))
        return k_EResultFileNotFound;
    Statement change(m_db, sql);
    if (!change.Ok())
        return k_EResultIOFailure;
    change.Bind(1, static_cast<int64_t>(user));
    change.Bind(2, static_cast<int64_t>(id));
    change.Bind(3, value);
    return change.Step() == SQLITE_DONE ? k_EResultOK : k_EResultIOFailure;
}

EResult Workshop::Subscribe(uint64_t user, PublishedFileId_t id, uint32_t when)
{
    return Change("INSERT OR REPLACE INTO subscriptions(user, item_id, time) VALUES(?, ?, ?)", user, id, when, true);
}

EResult Workshop::Unsubscribe(uint64_t user, PublishedFileId_t id)
{
    return Change("DELETE FROM subscriptions WHERE user = ? AND item_id = ?", user, id, 0, false);
}

EResult Workshop::Vote(uint64_t user, PublishedFileId_t id, bool up)
{
    return Change("INSERT OR REPLACE INTO votes(user, item_id, up) VALUES(?, ?, ?)", user, id, up ? 1 : 0, true);
}

bool Workshop::VoteCounts(PublishedFileId_t id, int64_t& votesFor, int64_t& votesAgainst)
{
    votesFor = votesAgainst = 0;
    Statement query(m_db, "SELECT COALESCE(SUM(up != 0), 0), COALESCE(SUM(up = 0), 0) FROM votes WHERE item_id = ?");
    if (!query.Ok())
        return false;
    query.Bind(1, static_cast<int64_t>(id));
    if (query.Step() != SQLITE_ROW)
        return false;
    votesFor = query.Int(0);
    votesAgainst = query.Int(1);
    return true;
}

EResult Workshop::RecordAction(uint64_t user, PublishedFileId_t id, int action, uint32_t when)
{
    if (!Exists(id))
        return k_EResultFileNotFound;
    Statement insert(m_db, "INSERT INTO actions(user, item_id, action, time) VALUES(?, ?, ?, ?)");
    if (!insert.Ok())
        return k_EResultIOFailure;
    insert.Bind(1, static_cast<int64_t>(user));
    insert.Bind(2, static_cast<int64_t>(id));
    insert.Bind(3, action);
    insert.Bind(4, when);
    return insert.Step() == SQLITE_DONE ? k_EResultOK : k_EResultIOFailure;
}

std::vector<PublishedFileId_t> Workshop::ItemsOf(uint64_t owner, AppId_t appId)
{
    std::vector<PublishedFileId_t> ids;
    Statement query(m_db, "SELECT id FROM items WHERE owner = ? AND app_id = ? ORDER BY id");
    if (!query.Ok())
        return ids;
    query.Bind(1, static_cast<int64_t>(owner));
    query.Bind(2, appId);
    while (query.Step() == SQLITE_ROW)
        ids.push_back(static_cast<PublishedFileId_t>(query.Int(0)));
    return ids;
}

EResult Workshop::Update(PublishedFileId_t id, const std::string& fileName, const std::string& filePath,
                         const std::string& changeNote, uint32_t when)
{
    if (!Exec("BEGIN IMMEDIATE"))
        return k_EResultIOFailure;
    bool ok = true;
    if (!filePath.empty()) {
        struct stat st;
        ok = MakeFolders(m_items + "/" + std::to_string(id)) && CopyFile(filePath, FilePath(id)) &&
             stat(FilePath(id).c_str(), &st) == 0;
        Statement update(m_db, "UPDATE items SET file_name = ?, file_size = ? WHERE id = ?");
        update.Bind(1, fileName);
        update.Bind(2, ok ? static_cast<int64_t>(st.st_size) : 0);
        update.Bind(3, static_cast<int64_t>(id));
        ok = ok && update.Ok() && update.Step() == SQLITE_DONE;
    }
    Statement touch(m_db, "UPDATE items SET updated = ? WHERE id = ?");
    touch.Bind(1, when);
    touch.Bind(2, static_cast<int64_t>(id));
    ok = ok && touch.Ok() && touch.Step() == SQLITE_DONE;
    Statement note(m_db, "INSERT INTO change_notes(item_id, time, note) VALUES(?, ?, ?)");
    note.Bind(1, static_cast<int64_t>(id));
    note.Bind(2, when);
    note.Bind(3, changeNote);
    ok = ok && note.Ok() && note.Step() == SQLITE_DONE;
    if (!ok || !Exec("COMMIT")) {
        Exec("ROLLBACK");
        return k_EResultIOFailure;
    }
    return k_EResultOK;
}

} // namespace steamstandin
