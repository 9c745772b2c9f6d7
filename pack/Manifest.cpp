#include "Manifest.h"

#include <set>
#include <toml++/toml.h>

#include "ExecutionLevel.h"
#include "FileBytes.h"
#include "ImageRoles.h"
#include "PackError.h"

namespace fs = std::filesystem;

namespace {

class ManifestReader {
public:
    explicit ManifestReader(const fs::path& file) : file_(file), folder_(file.parent_path()) {}

    Manifest Read()
    {
        toml::table root;
        try {
            root = toml::parse_file(file_.string());
        } catch (const toml::parse_error& e) {
            throw PackError(file_.string() + ":" + std::to_string(e.source().begin.line) + ": " +
                            std::string(e.description()));
        }
        RefuseUnknownKeys(root, "", {"title", "version", "vendor_key", "install_dir", "menu_folder", "uninstaller",
                                     "execution_level", "images", "archives", "shortcuts"});
        Manifest m;
        m.title = RequiredString(root, "title", "title");
        m.version = RequiredString(root, "version", "version");
        m.vendorKey = OptionalString(root, "vendor_key", "vendor_key").value_or("");
        m.installDir = RequiredString(root, "install_dir", "install_dir");
        m.menuFolder = RequiredString(root, "menu_folder", "menu_folder");
        if (auto path = OptionalString(root, "uninstaller", "uninstaller")) m.uninstaller = folder_ / *path;
        m.executionLevel = ExecutionLevel(root);
        ReadImages(Table(root, "images", "images"), m);
        ReadArchives(Table(root, "archives", "archives"), m);
        ReadShortcuts(root, m);
        return m;
    }

private:
    [[noreturn]] void Fail(const toml::node* node, const std::string& field, const std::string& message) const
    {
        std::string where = file_.string();
        if (node) where += ":" + std::to_string(node->source().begin.line);
        throw PackError(where + ": " + field + ": " + message);
    }

    void RefuseUnknownKeys(const toml::table& table, const std::string& prefix, const std::set<std::string>& known) const
    {
        for (const auto& [key, node] : table)
            if (!known.count(std::string(key.str())))
                Fail(&node, prefix + std::string(key.str()), "unknown key");
    }

    std::optional<std::string> OptionalString(const toml::table& table, const char* key, const std::string& field) const
    {
        const toml::node* node = table.get(key);
        if (!node) return std::nullopt;
        if (!node->is_string()) Fail(node, field, "must be a string");
        return node->as_string()->get();
    }

    std::string RequiredString(const toml::table& table, const char* key, const std::string& field) const
    {
        std::optional<std::string> value = OptionalString(table, key, field);
        if (!value) Fail(&table, field, "is missing");
        return *value;
    }

    const toml::table& Table(const toml::table& root, const char* key, const std::string& field) const
    {
        const toml::node* node = root.get(key);
        if (!node) Fail(&root, field, "is missing");
        if (!node->is_table()) Fail(node, field, "must be a table");
        return *node->as_table();
    }

    std::optional<std::string> ExecutionLevel(const toml::table& root) const
    {
        std::optional<std::string> key = OptionalString(root, "execution_level", "execution_level");
        if (!key) return std::nullopt;
        for (const ExecutionLevelInfo& level : kExecutionLevels)
            if (*key == level.key) return level.manifestLevel;
        Fail(root.get("execution_level"), "execution_level", "must be \"administrator\" or \"current_user\"");
    }

    void ReadImages(const toml::table& images, Manifest& m) const
    {
        std::set<std::string> keys;
        for (const ImageRoleInfo& role : kImageRoles) keys.insert(role.key);
        RefuseUnknownKeys(images, "images.", keys);
        for (int i = 0; i < IMAGE_COUNT; ++i) {
            std::string field = std::string("images.") + kImageRoles[i].key;
            std::optional<std::string> path = OptionalString(images, kImageRoles[i].key, field);
            if (!path && ImageRequired(i)) Fail(&images, field, "is missing; the wizard shows this image");
            if (path) m.images[i] = folder_ / *path;
        }
    }

    void ReadArchives(const toml::table& archives, Manifest& m) const
    {
        RefuseUnknownKeys(archives, "archives.", {"first", "second", "exclude"});
        m.archives.push_back({"archives.first", folder_ / RequiredString(archives, "first", "archives.first")});
        if (auto second = OptionalString(archives, "second", "archives.second"))
            m.archives.push_back({"archives.second", folder_ / *second});
        if (const toml::node* exclude = archives.get("exclude")) {
            if (!exclude->is_array()) Fail(exclude, "archives.exclude", "must be an array of strings");
            for (const toml::node& pattern : *exclude->as_array()) {
                if (!pattern.is_string()) Fail(&pattern, "archives.exclude", "must be an array of strings");
                m.exclude.push_back(pattern.as_string()->get());
            }
        }
    }

    void ReadShortcuts(const toml::table& root, Manifest& m) const
    {
        const toml::node* node = root.get("shortcuts");
        if (!node) return;
        if (!node->is_array_of_tables()) Fail(node, "shortcuts", "must be an array of tables ([[shortcuts]])");
        const toml::array& list = *node->as_array();
        if (list.size() > static_cast<size_t>(MAX_LINKS))
            Fail(node, "shortcuts", std::to_string(list.size()) + " shortcuts; the installer holds at most " +
                                        std::to_string(MAX_LINKS));
        for (size_t i = 0; i < list.size(); ++i) {
            const toml::table& entry = *list[i].as_table();
            ManifestShortcut s;
            s.field = "shortcuts[" + std::to_string(i) + "]";
            RefuseUnknownKeys(entry, s.field + ".", {"name", "target", "icon", "location", "location_code"});
            s.name = RequiredString(entry, "name", s.field + ".name");
            s.target = OptionalString(entry, "target", s.field + ".target").value_or("");
            s.icon = OptionalString(entry, "icon", s.field + ".icon").value_or("");
            s.location = Location(entry, s.field);
            m.shortcuts.push_back(s);
        }
    }

    int Location(const toml::table& entry, const std::string& field) const
    {
        const toml::node* named = entry.get("location");
        const toml::node* code = entry.get("location_code");
        if (named && code) Fail(code, field, "give either location or location_code, not both");
        if (code) {
            std::optional<int64_t> value = code->value<int64_t>();
            if (!code->is_integer() || !value || *value < INT32_MIN || *value > INT32_MAX)
                Fail(code, field + ".location_code", "must be a 32-bit integer");
            return static_cast<int>(*value);
        }
        std::optional<std::string> where = OptionalString(entry, "location", field + ".location");
        if (where == "desktop") return LinkDesktop;
        if (where == "programs") return LinkProgramMenu;
        Fail(named ? named : &entry, field + ".location", "must be \"desktop\" or \"programs\"");
    }

    fs::path file_;
    fs::path folder_;
};

}  // namespace

Manifest LoadManifest(const fs::path& file)
{
    RegularFileSize(file);
    return ManifestReader(file).Read();
}
