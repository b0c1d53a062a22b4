// kqtool run: a character on the simulated desktop, headless, over virtual time; what happens is
// printed as JSON lines.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/common/BinaryFile.h"
#include "tools/kqtool/Command.h"
#include "tools/kqtool/RunOptions.h"
#include "tools/kqtool/RunSession.h"

namespace mascot::kqtool {
namespace {

const char kUsage[] =
    "usage: kqtool run [OPTIONS] FILE.kq\n"
    "\n"
    "Runs the program on the container FILE.kq (embedded as its data) on a simulated desktop over\n"
    "virtual time, closes the mascot at the end as a user would and runs the exit processing.\n"
    "The desktop has a taskbar and, unless --no-foreground, a foreground window titled \"Editor\".\n"
    "\n"
    "  --seconds N           virtual time to run (default 10; up to three decimals)\n"
    "  --seed N              seeds the random generator in place of the tick count (default 1)\n"
    "  --foreground L,T,R,B  the foreground window's rectangle (default 200,300,900,800)\n"
    "  --no-foreground       no window in the foreground\n"
    "  --taskbar L,T,R,B     the taskbar's rectangle (default 0,760,1280,800)\n"
    "  --tag TAG             the character tag: settings section \"Mascot-TAG\" (default TEST)\n"
    "  --fixed N, --position N, --pattern N\n"
    "                        written into the settings file of the program directory before the\n"
    "                        start, so the program reads them as a user's settings\n"
    "  --click MS            a left press and release at the mascot's centre (repeatable)\n"
    "  --command MS:ID       a command sent to the mascot window, e.g. 32781 for pattern 1\n"
    "                        (repeatable)\n"
    "  --drag MS:DX          a press at the mascot's centre, a one-pixel move that starts the drag,\n"
    "                        then the move loop carries it DX pixels in 200 ms (repeatable)\n"
    "  --settings MS:pos=TEXT,fixed=N,topmost=N,ok|cancel\n"
    "                        a right press on the mascot, \"settings\" chosen from its menu, and the\n"
    "                        dialog answered: TEXT typed into the position edit, tracking mode N\n"
    "                        (0 to 2) picked, the front check box set to N (0 or 1), then OK or\n"
    "                        Cancel (default OK); each part may be left out (repeatable)\n"
    "  --frames DIR          writes a PNG of the window, shape applied (transparent outside it),\n"
    "                        after every paint: DIR/frame-TTTTTT-NNNN.png, T the virtual time in\n"
    "                        ms, N the paint's number from 1\n"
    "  --dir DIR             the program directory, where savedata.dat and content files are\n"
    "                        looked up and the settings are written at exit (default: a fresh\n"
    "                        temporary directory, removed afterwards)\n"
    "\n"
    "Presses need the mascot on the screen; one at a time when it is hidden does nothing and is\n"
    "reported on stderr, as are the program's message boxes. Inputs after the end are dropped.\n"
    "\n"
    "Output: one JSON object a line on stdout, in the order things happen. Every line starts with\n"
    "\"t\" (virtual ms since the start) and \"ev\"; the keys follow in the order given here. Texts\n"
    "are UTF-8, converted from Shift-JIS; a byte that is not valid Shift-JIS is written as the\n"
    "escape \\u00XX of its value. Lines may gain keys in later versions, never lose them.\n"
    "  pattern  index choice     a pattern became current (index from 0, -1 for none; choice 0 =\n"
    "                            random, n = pattern n): the initial choice and every selection\n"
    "  draw     frame            Draw\n"
    "  wait     ms               the script timer armed (Wait, WaitRandom, 10 ms on a selection)\n"
    "  slot     kind image slot  MakeShape and the slot it filled (65535: none free)\n"
    "  shape    slot             SetShape\n"
    "  height   value            SetHeight, also when the height is unchanged\n"
    "  position value            SetPosition, after clamping to 100\n"
    "  halt     reason           a run ended without arming the timer: setposition, budget (ran\n"
    "                            too long without waiting) or invalid (byte code that is not valid)\n"
    "  click    target           a press ran the click handler at this offset\n"
    "  text     x y text         Text\n"
    "  font     height face      Font\n"
    "  launch   command          Launch (the simulated desktop starts nothing)\n"
    "  setting  key value        ReadSetting, with the value stored in the variable\n"
    "  profile  section key value  WriteProfile\n"
    "  palette  kind image entries  Palette; entries of the palette in use after it, 0 for none\n"
    "  sound    name played index  PlaySound: the file name (empty past the table), played 1 when\n"
    "                            heard, 0 when not (no file, sound off)\n"
    "  playfile name played      PlayFile\n"
    "  move     x y              the window moved without being shown\n"
    "  show     x y              the window was placed and shown\n"
    "  hide                      the window was hidden\n"
    "  menu     items            the context menu opened: items are objects with \"kind\"\n"
    "                            (command, separator, submenu); commands have \"id\", \"text\" and\n"
    "                            \"flags\" (checked, grayed, disabled, break); a submenu has \"text\"\n"
    "                            and \"items\"\n"
    "  dialog   name result id   a dialog closed: name settings or about, result ok or cancel,\n"
    "                            id the dialog template\n"
    "\n"
    "Exit status: 0 when the run went through; 1 when the program could not start on the data;\n"
    "2 when FILE cannot be read or a directory or file cannot be written; 64 for a bad command\n"
    "line.\n";

int RunRun(std::span<const std::string> args);

const Command kRun{"run", "run a character headless on a simulated desktop, printing JSON lines", kUsage,
                   RunRun};

// A directory that exists afterwards, made if needed; false with a message when that fails.
bool EnsureDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (std::filesystem::is_directory(path, error))
        return true;
    std::fprintf(stderr, "kqtool run: cannot make the directory %s\n", path.c_str());
    return false;
}

// The program directory of this run; a temporary one is removed when the run ends.
class ProgramDir {
public:
    bool Make(const std::optional<std::string>& given) {
        if (given) {
            m_path = std::filesystem::absolute(*given).string();
            return EnsureDirectory(m_path);
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "kqtool-run-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::fprintf(stderr, "kqtool run: cannot make a temporary directory\n");
            return false;
        }
        m_path = pattern;
        m_temporary = true;
        return true;
    }
    ~ProgramDir() {
        std::error_code ignored;
        if (m_temporary)
            std::filesystem::remove_all(m_path, ignored);
    }
    std::string WithSeparator() const { return m_path.ends_with('/') ? m_path : m_path + "/"; }

private:
    std::string m_path;
    bool m_temporary = false;
};

int RunRun(std::span<const std::string> args) {
    if (WantsHelp(kRun, args))
        return kExitOk;
    std::string error;
    const std::optional<RunOptions> options = ParseRunOptions(args, error);
    if (!options)
        return UsageError(kRun, error);
    auto container = ReadBinaryFile(options->file, error);
    if (!container) {
        std::fprintf(stderr, "kqtool run: %s: %s\n", options->file.c_str(), error.c_str());
        return kExitFailure;
    }
    ProgramDir dir;
    if (!dir.Make(options->dir) || (options->framesDir && !EnsureDirectory(*options->framesDir)))
        return kExitFailure;
    RunSession session(*options, dir.WithSeparator(), stdout);
    if (!session.WriteSettings(error)) {
        std::fprintf(stderr, "kqtool run: %s\n", error.c_str());
        return kExitFailure;
    }
    if (!session.Run(std::move(*container))) {
        std::fprintf(stderr, "kqtool run: %s: the program could not start on this data\n",
                     options->file.c_str());
        return kExitFindings;
    }
    return session.FramesFailed() ? kExitFailure : kExitOk;
}

}  // namespace

KQTOOL_COMMAND(run, kRun);

}  // namespace mascot::kqtool
