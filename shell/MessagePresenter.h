#pragma once
#include <string>

namespace ravelt {

// A message box's style: the sum of one set of buttons, one icon and the default
// button, as the suite's message boxes take it.
struct StileMessaggio {
    // The buttons.
    static constexpr int SoloOk = 0;
    static constexpr int OkAnnulla = 1;
    static constexpr int InterrompiRiprovaIgnora = 2;
    static constexpr int SiNoAnnulla = 3;
    static constexpr int SiNo = 4;
    static constexpr int RiprovaAnnulla = 5;
    static constexpr int Pulsanti = 0x7;  // the part of a style that picks the buttons
    // The icon.
    static constexpr int Critico = 16;
    static constexpr int Domanda = 32;
    static constexpr int Avviso = 48;  // the exclamation mark: with SoloOk, the program's usual warning
    static constexpr int Informazione = 64;
    static constexpr int Icona = 0x70;
    // The default button, when it is not the first.
    static constexpr int SecondoPredefinito = 256;
    static constexpr int TerzoPredefinito = 512;
    static constexpr int Predefinito = 0x300;
};

// The answer codes of a message box: the button pressed. The program's own box answers
// its single "Ok" with OkSemplice, as the suite's routines expect.
struct RispostaMessaggio {
    static constexpr int OkSemplice = 0;
    static constexpr int Ok = 1;
    static constexpr int Annulla = 2;
    static constexpr int Interrompi = 3;
    static constexpr int Riprova = 4;
    static constexpr int Ignora = 5;
    static constexpr int Si = 6;
    static constexpr int No = 7;
};

// How the program's windows and routines put a message to the operator and get the
// answer. The program's own message box implements it; tests answer it themselves.
// 'stile' is a StileMessaggio sum; the answer is a RispostaMessaggio code.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) = 0;
};

}
