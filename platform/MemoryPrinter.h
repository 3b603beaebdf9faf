#pragma once
#include "platform/PrinterSystem.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace ravelt {

// What an in-memory printer received, for tests: each piece of text with the font it
// was printed in, gathered into lines and pages.
struct PrintedFragment {
    std::string text;
    std::string fontName;
    double fontSize = 0;
    bool bold = false;
};

struct PrintedLine {
    std::vector<PrintedFragment> fragments;
    std::string text() const;
};

struct PrintedPage {
    int orientation = PrinterObject::Portrait;
    std::vector<PrintedLine> lines;
};

struct PrintedDocument {
    std::string target;   // device name, or the PDF path
    bool pdf = false;
    std::string title;
    int duplex = 1;
    std::vector<PrintedPage> pages;
    bool ended = false;
    int orientationAfterEnd = 0;  // the printer's orientation when the engine was done with it
};

// A printer object that records into a PrintedDocument.
class MemoryPrinterObject : public PrinterObject {
public:
    explicit MemoryPrinterObject(std::shared_ptr<PrintedDocument> doc) : doc_(std::move(doc)) {}
    ~MemoryPrinterObject() override;

    void setFontName(const std::string& name) override { fontName_ = name; }
    void setFontSize(double points) override { fontSize_ = points; }
    double fontSize() const override { return fontSize_; }
    void setFontBold(bool bold) override { bold_ = bold; }
    void setOrientation(int orientation) override;
    int orientation() const override { return orientation_; }
    void setDuplex(int duplex) override { doc_->duplex = duplex; }
    void print(const std::string& text, bool endLine) override;
    void newPage() override;
    void endDoc() override;

private:
    PrintedPage& page();

    std::shared_ptr<PrintedDocument> doc_;
    std::string fontName_;
    double fontSize_ = 10;
    bool bold_ = false;
    int orientation_ = Portrait;
    bool lineOpen_ = false;
};

// The in-memory printer system of the tests: a list of device names, the documents and
// text-device jobs it received, and devices made to fail on purpose.
class MemoryPrinterSystem : public PrinterSystem {
public:
    std::vector<std::string> devices;
    std::string defaultDevice;
    // Opening one of these devices (or a PDF at one of these paths) fails, as a device
    // that is not there would.
    std::set<std::string> failingDevices;

    std::vector<std::shared_ptr<PrintedDocument>> documents;
    struct TextJob {
        std::string device;
        std::string bytes;
        bool closed = false;
    };
    std::vector<std::shared_ptr<TextJob>> textJobs;

    std::vector<std::string> deviceNames() const override { return devices; }
    std::string defaultDeviceName() const override { return defaultDevice; }
    std::unique_ptr<PrinterObject> startPrinterJob(const std::string& deviceName, const std::string& title) override;
    std::unique_ptr<PrinterObject> startPdfJob(const std::filesystem::path& path, const std::string& title) override;
    std::unique_ptr<TextDevice> openTextDevice(const std::string& device, const std::filesystem::path& folder,
                                               const std::string& title) override;
};

}
