#include "report/ui/cPdfExporter.h"

#include "SF_FilePrompt.h"
#include "report/mPdfReport.h"
#include "report/qt/cPdfReportWriter.h"
#include "report/qt/cPreparerSettings.h"
#include "report/qt/mReportPlaces.h"
#include "report/qt/mReportPageSize.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"

cPdfExporter::cPdfExporter(cStudy& study, const EquipmentList& equipmentList, SF_FilePrompt& prompt,
                           ISettingsStore& settings)
    : study_(study), equipmentList_(equipmentList), prompt_(prompt), settings_(settings) {}

bool cPdfExporter::exportPdf() {
  if (!study_.caseProcessed) {
    study_.messages().show("No case results to report.", "VORN", MessageIcon::Critical);
    return false;
  }
  prompt_.FileSuffix("pdf");
  prompt_.OpenMode(SF_WRITE);
  prompt_.MultipleFiles(false);
  prompt_.FilePrompt("Report File");
  if (prompt_.getFile() != SF_FILE_OK) return false;
  std::string path = prompt_.Directory() + prompt_.FileName(1);
  // A name typed without a type gets ".pdf".
  if (prompt_.FileName(1).find('.') == std::string::npos) path += ".pdf";

  mPdfReport::Inputs inputs;
  inputs.caseName = mPdfReport::caseNameOf(study_.caseFile.caseFileName());
  inputs.reportDate = reportDate;
  inputs.preparer = cPreparerSettings(settings_).read();
  inputs.equipmentList = &equipmentList_;
  // The site plan, and the programme file beside the case that has it as a phase.
  const std::string casePath =
      study_.caseFile.caseFileName().empty() ? std::string() : study_.caseFile.caseDirectory() + study_.caseFile.caseFileName();
  std::string problem;
  mReportPlaces::fill(study_, casePath, std::string(), inputs, problem);
  cPdfReportWriter writer(mReportPageSize::forSystem());
  if (!writer.writePdf(mPdfReport::build(study_, inputs), path)) {
    study_.messages().show("Problem writing report file.", "VORN", MessageIcon::Critical);
    return false;
  }
  study_.messages().show("Report saved.", "VORN", MessageIcon::Information);
  return true;
}
