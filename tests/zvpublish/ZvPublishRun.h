// Runs the built zvpublish program against a fresh Steam stand-in folder and reports its
// status and output; helpers to read the stand-in's workshop and to build inputs.
#pragma once

#include "platform/steam/SteamTestFolder.h"
#include "fixtures/JpegFixture.h"
#include "fixtures/ZvaBuilder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

struct RunResult {
    int status = -1; // exit status; -1 when killed or timed out
    std::string out;
    std::string err;
};

// Every text zvpublish prints shows twice on standard output.
inline std::string Twice(const std::string& text)
{
    return text + text;
}

// A 512x512 (or any size) JPEG of one colour, as file bytes.
inline std::string SolidJpeg(int width, int height, JpegFixture::Rgb colour)
{
    std::vector<uint8_t> bytes = JpegFixture::Uniform(static_cast<uint16_t>(width), static_cast<uint16_t>(height), colour);
    return std::string(bytes.begin(), bytes.end());
}

inline std::string Banner()
{
    return Twice("Quelm's Workshop Publisher 1.0\n");
}

struct WorkshopRow {
    uint64_t id = 0;
    uint64_t owner = 0;
    std::string title, description, tags, fileName;
    int visibility = -1;
    int64_t fileSize = 0, previewSize = 0;
};

class ZvPublishTest : public ::testing::Test {
protected:
    // Runs zvpublish with the arguments; kills it after timeoutSeconds.
    RunResult Run(const std::vector<std::string>& args, int timeoutSeconds = 120)
    {
        RunResult result;
        std::string outPath = work + "/stdout", errPath = work + "/stderr";
        pid_t pid = fork();
        if (pid == 0) {
            int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, 1);
            dup2(err, 2);
            std::vector<char*> argv;
            std::string program = ZVPUBLISH_BINARY;
            argv.push_back(&program[0]);
            std::vector<std::string> copies(args);
            for (std::string& arg : copies)
                argv.push_back(&arg[0]);
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        int status = 0;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                ADD_FAILURE() << "zvpublish timed out";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (WIFEXITED(status))
            result.status = WEXITSTATUS(status);
        SteamTestFolder::ReadFile(outPath, result.out);
        SteamTestFolder::ReadFile(errPath, result.err);
        return result;
    }

    void SetUp() override
    {
        work = steam.Path() + "/inputs"; // outside the stand-in's own folders
        mkdir(work.c_str(), 0755);
    }

    // Writes an input file under the test's folder and returns its path.
    std::string Input(const std::string& name, const std::string& bytes)
    {
        std::string path = work + "/" + name;
        SteamTestFolder::WriteFile(path, bytes);
        return path;
    }

    std::string SampleAddon(const std::string& name = "sample.zva")
    {
        zvfixtures::ZvaBuilder zva;
        zva.files = {{"addon.txt", "sample"}, {"lua/autorun/a.lua", "print(1)"}};
        return Input(name, zva.Build());
    }

    std::string Icon(int width = 512, int height = 512, const std::string& name = "icon.jpg")
    {
        return Input(name, SolidJpeg(width, height, JpegFixture::Rgb{200, 40, 90}));
    }

    // Published items in the stand-in's database, oldest first.
    std::vector<WorkshopRow> Items()
    {
        std::vector<WorkshopRow> rows;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2((steam.Path() + "/workshop.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            return rows;
        }
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT id, owner, title, description, tags, file_name, visibility, file_size, preview_size"
                           " FROM items ORDER BY id",
                           -1, &stmt, nullptr);
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
            WorkshopRow row;
            row.id = static_cast<uint64_t>(sqlite3_column_int64(stmt, 0));
            row.owner = static_cast<uint64_t>(sqlite3_column_int64(stmt, 1));
            row.title = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2));
            row.description = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3));
            row.tags = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 4));
            row.fileName = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 5));
            row.visibility = sqlite3_column_int(stmt, 6);
            row.fileSize = sqlite3_column_int64(stmt, 7);
            row.previewSize = sqlite3_column_int64(stmt, 8);
            rows.push_back(row);
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return rows;
    }

    // Runs SQL on the stand-in's database (after a first run created it).
    void Sql(const std::string& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open((steam.Path() + "/workshop.db").c_str(), &db));
        char* error = nullptr;
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error)) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    std::string ItemFile(uint64_t id, const char* which = "file")
    {
        std::string bytes;
        SteamTestFolder::ReadFile(steam.Path() + "/items/" + std::to_string(id) + "/" + which, bytes);
        return bytes;
    }

    // Nothing left in the cloud, nor of any stream.
    void ExpectNoCloudFiles()
    {
        EXPECT_EQ(std::vector<std::string>(), steam.CloudFiles());
        std::vector<std::string> streams;
        if (DIR* dir = opendir((steam.Path() + "/streams").c_str())) {
            while (dirent* entry = readdir(dir)) {
                std::string name = entry->d_name;
                if (name != "." && name != "..")
                    streams.push_back(name);
            }
            closedir(dir);
        }
        EXPECT_EQ(std::vector<std::string>(), streams);
    }

    SteamTestFolder steam;
    std::string work;
};
