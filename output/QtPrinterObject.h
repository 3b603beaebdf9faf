#pragma once
#include "platform/PrinterObject.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ravelt {

// The printer object over Qt's printing: the text is laid out on A4 pages (or the
// queue's default paper) with 10 mm margins and written as PDF. A job on a print queue
// is printed to a temporary PDF file and handed to the queue when the document ends, so
// that a queue that refuses it is told to the operator; a PDF destination is written
// to a temporary file beside the target and renamed over it when complete.
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
    QFont currentFont() const;
    double pageHeight() const;

    QPrinter printer_{QPrinter::HighResolution};
    QPainter painter_;
    std::string title_;
    std::string queue_;                // set for a queue job
    std::filesystem::path target_;     // set for a PDF destination
    std::filesystem::path temp_;       // the PDF being written
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
