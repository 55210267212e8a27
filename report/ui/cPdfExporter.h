#pragma once
// File > Export Results > PDF Report...: the submission report of every
// receptor, by a file name the user gives, through the same document and
// writer as vorn-batch --pdf.

#include <string>

#include "study/cEquipment.h"

class IMessageService;
class ISettingsStore;
class SF_FilePrompt;
class cStudy;

class cPdfExporter {
public:
  cPdfExporter(cStudy& study, const EquipmentList& equipmentList, SF_FilePrompt& prompt, ISettingsStore& settings);

  // The checks, the file name, the document and its file, then "Report
  // saved."; any failure is told through the study's message service.
  // True when a file was written.
  bool exportPdf();

  // The date the report shows; today's date when empty.
  std::string reportDate;

private:
  cStudy& study_;
  const EquipmentList& equipmentList_;
  SF_FilePrompt& prompt_;
  ISettingsStore& settings_;
};
