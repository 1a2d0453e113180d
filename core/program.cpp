// Start and end of the program around the shared state.
#include "core/program.h"

#include "sources/source_sites.h"

void onMainWindowCreated(Program& program) {
    Platform& platform = program.platform;
    platform.openInShell(homePageAddress);
    const Bounds window = platform.windowBounds();
    const Bounds spinner = platform.controlBounds(Control::调节器1);
    const Bounds intervalBox = platform.controlBounds(Control::外形框2);
    platform.popNotice(window.left + spinner.left, window.top + intervalBox.top + 35,
                       "请先设置自动获取开奖号码的间隔时间！");
}

void onCloseButtonClicked(Program& program) { endProgram(program, 0); }

void releaseAtEnd(Program& program) {
    program.ending = true;
    if (program.state.release() && program.afterRelease) program.afterRelease();
}

void endProgram(Program& program, int exitCode) {
    releaseAtEnd(program);
    program.platform.exitProcess(exitCode);
}
