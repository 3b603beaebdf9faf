#pragma once
#include <filesystem>
#include <string>

namespace ravelt {

// A file that goes with the message (spedix --allegato FILE): the name the reader sees,
// the content type and the file's bytes, unchanged.
struct Allegato {
    std::string nome;        // the file's own name, without its folders
    std::string tipo;        // MIME content type, from the name's extension
    std::string contenuto;   // the bytes
};

// The content type a mail reader needs to open the file with the right program, told
// by the extension in any letter case: application/pdf for .pdf, text/csv for .csv,
// application/octet-stream for anything else (the reader then asks or saves it).
std::string TipoAllegato(const std::filesystem::path& file);

// Reads the file to attach, whole. A relative path starts from the current folder (the
// working folder). An empty name, a file that is not there, a folder, or a file that
// cannot be read raise ErrorePosta naming the file and what is wrong with it, so the
// caller can refuse the whole sending before anything goes out.
Allegato LeggiAllegato(const std::filesystem::path& file);

}
