#pragma once
#include <string>

namespace ravelt {

// The printer object of one print job: a current font (name, size in points, bold), the
// page orientation and duplex mode, text printed at the current position with or
// without ending the line, new pages and the end of the document. The print engine
// drives it line by line; the platform's implementation lays the text out on pages and
// hands the document to the printer or the PDF file when the document ends.
//
// Text is UTF-8. The font state stays as set until it is changed again: it is not reset
// at line ends or page ends.
class PrinterObject {
public:
    enum Orientation { Portrait = 1, Landscape = 2 };

    virtual ~PrinterObject() = default;

    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual double fontSize() const = 0;
    virtual void setFontBold(bool bold) = 0;
    // 1 portrait, 2 landscape. Set before the first text it applies to the whole
    // document; set later it applies from the next page on.
    virtual void setOrientation(int orientation) = 0;
    virtual int orientation() const = 0;
    // 1 one-sided, 2 two-sided (long edge). Takes effect for the whole document when set
    // before the first text.
    virtual void setDuplex(int duplex) = 0;

    // Prints the text at the current position; with endLine the next text starts at the
    // beginning of the next line, otherwise right after this one.
    virtual void print(const std::string& text, bool endLine) = 0;
    virtual void newPage() = 0;
    // Ends the document and delivers it. A printer or file that refuses it raises
    // std::runtime_error with the reason in words an operator can act on.
    virtual void endDoc() = 0;
};

}
