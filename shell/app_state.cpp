#include "shell/app_state.h"

#include "beelines/documents.h"

namespace shell {

AppState& App() {
    static AppState state;
    return state;
}

void SetProgramPath(const std::string& executablePath) {
    AppState& app = App();
    app.programDirectory = beelines::ProgramDirectoryOf(executablePath);
    app.programFileName = executablePath.substr(app.programDirectory.size());
    const beelines::DocumentPaths paths = beelines::PathsFor(app.programDirectory);
    app.xmlDirectory = paths.xmlDirectory;
    app.iconDirectory = paths.iconDirectory;
}

}  // namespace shell
