#include <doctest/doctest.h>

#include <algorithm>
#include <filesystem>

#include "Inspect.h"
#include "PackFixture.h"
#include "StubManifest.h"

namespace fs = std::filesystem;

namespace {

// The stub that the Windows tree builds beside setup-pack, where setup-pack
// looks for it by default.
std::string BuiltStub()
{
    fs::path stub = fs::path(SETUP_PACK_EXE).parent_path() / "setup-stub.exe";
    REQUIRE_MESSAGE(fs::exists(stub), stub.string() << " is missing; build setup-stub in the Windows tree first");
    return stub.string();
}

Bytes StubPart(const Bytes& installer) { return Bytes(installer.begin(), installer.begin() + PAYLOAD_OFFSET); }

size_t Find(const Bytes& bytes, const std::string& text, size_t from = 0)
{
    auto at = std::search(bytes.begin() + from, bytes.end(), text.begin(), text.end());
    return at == bytes.end() ? std::string::npos : static_cast<size_t>(at - bytes.begin());
}

}  // namespace

TEST_CASE("execution_level rewrites the built stub's level in place and leaves every other byte")
{
    PackFixture f("pack-execution-level");
    const std::string stub = BuiltStub();
    const std::string manifest = f.manifest;
    auto build = [&](const std::string& line, const std::string& name) {
        f.manifest = line + manifest;
        BuildOptions options = f.Options();
        options.stub = stub;
        options.output = f.Path("out/" + name + ".exe");
        BuildInstaller(options);
        return ReadFileBytes(options.output.string());
    };
    const Bytes plain = build("", "plain");
    const Bytes administrator = build("execution_level = \"administrator\"\n", "administrator");
    const Bytes currentUser = build("execution_level = \"current_user\"\n", "current-user");

    const Bytes stubBytes = ReadFileBytes(stub);
    CHECK(Bytes(plain.begin(), plain.begin() + stubBytes.size()) == stubBytes);
    CHECK(administrator == plain);

    // Found by a plain search, so that the reader under test is not its own judge.
    const Bytes plainStub = StubPart(plain);
    const size_t element = Find(plainStub, "<requestedExecutionLevel ");
    REQUIRE(element != std::string::npos);
    CHECK(Find(plainStub, "requestedExecutionLevel", element + 2) == std::string::npos);
    const std::string stated = "level=\"requireAdministrator\" ";
    const size_t at = Find(plainStub, stated);
    REQUIRE(at != std::string::npos);
    Bytes expected = plain;
    const std::string asInvoker = "level=\"asInvoker\"" + std::string(stated.size() - 17, ' ');
    std::copy(asInvoker.begin(), asInvoker.end(), expected.begin() + at);
    CHECK(currentUser == expected);

    CHECK(ReadExecutionLevel(plainStub) == "requireAdministrator");
    CHECK(ReadExecutionLevel(StubPart(currentUser)) == "asInvoker");
    CHECK(ReadInstaller(f.Path("out/current-user.exe"), true).executionLevel == "asInvoker");

    std::string text, json;
    REQUIRE(RunPack("inspect '" + f.Path("out/current-user.exe") + "'", nullptr, &text) == 0);
    CHECK(text.find("\nexecution    current_user (asInvoker)\n") != std::string::npos);
    REQUIRE(RunPack("inspect '" + f.Path("out/plain.exe") + "'", nullptr, &text) == 0);
    CHECK(text.find("\nexecution    administrator (requireAdministrator)\n") != std::string::npos);
    REQUIRE(RunPack("inspect --json '" + f.Path("out/current-user.exe") + "'", nullptr, &json) == 0);
    CHECK(json.find("\"execution_level\": \"current_user\",\n  \"manifest_level\": \"asInvoker\",") != std::string::npos);
}
