#pragma once
#include "platform/PrinterObject.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ravelt {

// The printer object over Qt's PDF output: the text is laid out on A4 pages (or the
// queue's default paper) with 10 mm margins and rendered as PDF in memory, since Qt does
// not tell when a file it writes runs out of disk. When the document ends, the PDF is
// handed whole to the queue, so that a queue that refuses it is told to the operator, or
// written to the PDF destination through AtomicFile, so that the previous file stays as
// it was unless every byte reached the disk.
//
// A line that does not fit below the last one starts a new page by itself, as a
// printer does; text wider than the page is cut at its edge, never wrapped.
class QtPrinterObject : public PrinterObject {
public:
    static std::unique_ptr<QtPrinterObject> forQueue(const std::string& queue, const std::string& title);
    static std::unique_ptr<QtPrinterObject> forPdf(const std::filesystem::path& path, const std::string& title);
    ~QtPrinterObject() override;

    void setFontName(const std::string& name) override { fontName_ = name; }
    void setFontSize(double points) override { fontSize_ = points; }
    double fontSize() const override { return fontSize_; }
    void setFontBold(bool bold) override { bold_ = bold; }
    void setOrientation(int orientation) override;
    int orientation() const override { return orientation_; }
    void setDuplex(int duplex) override;
    void print(const std::string& text, bool endLine) override;
    void newPage() override;
    void endDoc() override;

private:
    QtPrinterObject(std::string title);
    void begin();
    std::string where() const;
    QFont currentFont() const;
    double pageHeight() const;

    QByteArray pdf_;                   // the document as rendered so far
    QBuffer buffer_{&pdf_};
    QPdfWriter writer_{&buffer_};
    QPainter painter_;
    std::string title_;
    std::string queue_;                // set for a queue job
    std::filesystem::path target_;     // set for a PDF destination
    std::string fontName_ = "Courier New";
    double fontSize_ = 10;
    bool bold_ = false;
    int orientation_ = Portrait;
    int duplex_ = 1;
    bool begun_ = false;
    bool ended_ = false;
    double x_ = 0, y_ = 0;             // current position, device pixels
    double lineHeight_ = 0;            // tallest font used on the current line
    bool lineOpen_ = false;
};

}
