#pragma once
#include "shell/MessagePresenter.h"
#include "shell/program_state.h"

#include <filesystem>

class QWidget;

namespace ravelt {

// Opens the filtered print screen modally for the print definition named by the
// program's NomeStampa in 'stato', in the working folder, with the platform's standard message box
// for its messages and the print preview of the report file it writes. The column setup
// passes it as its "&Stampa" action. 'messaggiAnteprima' is the program's own message
// box, which the preview tells its failures through.
void ApriStampa(const std::filesystem::path& cartella, ProgramState& stato, MessagePresenter& messaggiAnteprima,
                QWidget* parent = nullptr);

}
