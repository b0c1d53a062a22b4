// Writes the seed corpus of every fuzz target into DIR/<target>/: valid inputs made with the
// container writer, the assembler and the archive builder, so that the fuzzer starts from the
// shapes real data has.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ProfileText.h"
#include "data/ContainerWriter.h"
#include "data/DibWriter.h"
#include "script/Assembler.h"
#include "sound/Content.h"
#include "tools/common/ArchiveFiles.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const char* const kPatterns[] = {
    "Name \"idle\"\n MakeShape 'b', 2\n Let v1, v0\n ClearClick\n SetShape v1\n SetHeight 117\n OnClick hop\n"
    "rest: Draw 0\n WaitRandom 4000, 5000\n Draw 1\n Wait 50\n Goto rest\nhop: Draw 1\n Wait 50\n"
    " ChangePattern 2\n",
    "Name \"all\"\n Remark \"note\"\n Let v1, time.ms\n Add v1, time.year\n Sub v1, random100\n And v1, 255\n"
    " Or v1, position\n Mod v1, 7\n If cursor.x, >, 10, far\n PlayFile \"a.wav\"\n PlaySound 2\nfar: "
    "IfAutoOff off\n"
    " Font 12, \"Gothic\"\n Text 1, 2, \"hi\"\n ReadSetting \"Key\", v3, 5\n WriteProfile \"Key\", v3\n"
    " Palette 'b', 0\n Launch \"notepad\"\n AltTarget 4\n ClearAltTarget\noff: Wait 10\n SetPosition 150\n",
    "Name \"\"\nloop: Add v2, 1\n If v2, <, 300, loop\n Let v2, raw(0x8005)\n ChangePattern v2\n",
    "Name \"n\"\n .byte 0, 200, 33\n Remark \"\"\n Wait 50\n",
};

void Write(const fs::path& dir, const std::string& name, const Bytes& bytes) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Assembled(const char* text, uint16_t version) {
    mascot::AsmOptions options;
    options.version = version;
    return mascot::Assemble(text, options).code;
}

void ContainerSeeds(const fs::path& dir) {
    using namespace mascot;
    for (const uint16_t version : {300, 302}) {
        ContainerWriter writer;
        writer.SetVersion(version).SetFrameSize(16, 16).SetTitle("seed").SetAboutText("about\nit");
        const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
        writer.AddImage(0, 0, MakeIndexedDib(16, 16, 8, palette, Bytes(256, 1)));
        writer.AddImage(4, 4, MakeRgbDib(4, 4, std::vector<uint32_t>(16, 0x123456)));
        Bytes mask(256, 0);
        for (size_t i = 0; i < mask.size(); i += 3)
            mask[i] = 1;
        writer.AddImage(0, 0, MakeMaskDib(16, 16, mask));
        writer.AddImage(0, 0, MakePackedMaskDib(16, 16, mask));
        writer.AddImage(0, 0, MakeIndexedDib(16, 16, 4, palette, mask));
        writer.AddPattern(Assembled(kPatterns[0], version)).AddPattern(Assembled(kPatterns[2], version));
        writer.SetMenuColumns(1, 5);
        Write(dir, "container-" + std::to_string(version), writer.Build().bytes);
    }
}

void ScriptSeeds(const fs::path& dir) {
    int n = 0;
    for (const char* text : kPatterns) {
        for (const uint16_t version : {300, 302}) {
            // Byte 0: version bit, one pattern, initial choice 1; bytes 1 and 2: cut points.
            Bytes input = {static_cast<uint8_t>((version == 302 ? 1 : 0) | (1 << 3)), 0, 0};
            const Bytes code = Assembled(text, version);
            input.insert(input.end(), code.begin(), code.end());
            Write(dir, "pattern-" + std::to_string(n++), input);
        }
    }
}

void ArchiveSeeds(const fs::path& dir) {
    std::string error;
    const auto archive = mascot::BuildArchive(
        {{"sa0014_.wav", Bytes(40, 1)}, {"Sa0018_.wav", Bytes(3, 2)}, {"a", {}}, {"b", Bytes(9, 3)}}, error);
    if (archive) {
        Bytes both = archive->index;
        both.insert(both.end(), archive->data.begin(), archive->data.end());
        Write(dir, "index", archive->index);
        Write(dir, "index-and-data", both);
    }
}

void ContentSeeds(const fs::path& dir) {
    Bytes wave = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    Write(dir, "plain", wave);
    Bytes scrambled = wave;
    mascot::ApplyKeystream(scrambled, 0x5A);
    scrambled.insert(scrambled.begin(), {mascot::kScrambledMarker, 0x5A});
    Write(dir, "scrambled", scrambled);
    Write(dir, "marker-only", {mascot::kScrambledMarker});
}

void ProfileSeeds(const fs::path& dir) {
    const std::string texts[] = {
        "[Mascot-DEMO]\r\nPosition=90\r\nPattern=1\r\n",
        "; comment\n[other]\na=1\n[mascot-demo]\n  position =  \"42\"  \n\n[x y]\n",
        "[Mascot-DEMO\nPosition=-2147483649\nnoequals\n",
    };
    int n = 0;
    for (const std::string& text : texts) {
        Bytes input = {0, 3};  // section "Mascot-DEMO", key "Position"
        input.insert(input.end(), text.begin(), text.end());
        Write(dir, "profile-" + std::to_string(n++), input);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 64;
    }
    const fs::path dir = argv[1];
    ContainerSeeds(dir / "container");
    ScriptSeeds(dir / "script");
    ArchiveSeeds(dir / "archive_index");
    ContentSeeds(dir / "content_file");
    ProfileSeeds(dir / "profile_text");
    return 0;
}
