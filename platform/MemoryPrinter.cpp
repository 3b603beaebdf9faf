#include "platform/MemoryPrinter.h"

#include <stdexcept>

namespace ravelt {

std::string PrintedLine::text() const
{
    std::string s;
    for (const auto& f : fragments)
        s += f.text;
    return s;
}

MemoryPrinterObject::~MemoryPrinterObject() = default;

PrintedPage& MemoryPrinterObject::page()
{
    if (doc_->pages.empty())
        doc_->pages.push_back(PrintedPage{orientation_, {}});
    return doc_->pages.back();
}

void MemoryPrinterObject::setOrientation(int orientation)
{
    orientation_ = orientation;
    if (doc_->ended)
        doc_->orientationAfterEnd = orientation;
}

void MemoryPrinterObject::print(const std::string& text, bool endLine)
{
    if (doc_->ended)
        throw std::logic_error("text printed after the end of the document");
    PrintedPage& p = page();
    if (!lineOpen_) {
        p.lines.emplace_back();
        lineOpen_ = true;
    }
    p.lines.back().fragments.push_back(PrintedFragment{text, fontName_, fontSize_, bold_});
    if (endLine)
        lineOpen_ = false;
}

void MemoryPrinterObject::newPage()
{
    page();
    doc_->pages.push_back(PrintedPage{orientation_, {}});
    lineOpen_ = false;
}

void MemoryPrinterObject::endDoc()
{
    doc_->ended = true;
    doc_->orientationAfterEnd = orientation_;
}

namespace {

class MemoryTextDevice : public TextDevice {
public:
    explicit MemoryTextDevice(std::shared_ptr<MemoryPrinterSystem::TextJob> job) : job_(std::move(job)) {}
    void write(std::string_view bytes) override { job_->bytes.append(bytes); }
    void close() override { job_->closed = true; }
    std::string description() const override { return job_->device; }

private:
    std::shared_ptr<MemoryPrinterSystem::TextJob> job_;
};

}

std::unique_ptr<PrinterObject> MemoryPrinterSystem::startPrinterJob(const std::string& deviceName, const std::string& title)
{
    if (failingDevices.count(deviceName))
        throw std::runtime_error("la stampante " + deviceName + " non accetta la stampa");
    auto doc = std::make_shared<PrintedDocument>();
    doc->target = deviceName;
    doc->title = title;
    documents.push_back(doc);
    return std::make_unique<MemoryPrinterObject>(doc);
}

std::unique_ptr<PrinterObject> MemoryPrinterSystem::startPdfJob(const std::filesystem::path& path, const std::string& title)
{
    if (failingDevices.count(path.string()))
        throw std::runtime_error("impossibile scrivere il file PDF " + path.string());
    auto doc = std::make_shared<PrintedDocument>();
    doc->target = path.string();
    doc->pdf = true;
    doc->title = title;
    documents.push_back(doc);
    return std::make_unique<MemoryPrinterObject>(doc);
}

std::unique_ptr<TextDevice> MemoryPrinterSystem::openTextDevice(const std::string& device, const std::filesystem::path&,
                                                                const std::string&)
{
    if (failingDevices.count(device))
        throw std::runtime_error("impossibile aprire il dispositivo " + device + ": dispositivo non disponibile");
    auto job = std::make_shared<TextJob>();
    job->device = device;
    textJobs.push_back(job);
    return std::make_unique<MemoryTextDevice>(job);
}

}
