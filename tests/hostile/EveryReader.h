#pragma once
// Every reader of a file name in the data library and the program, each
// asked to read a path; true when it read it.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SF_DataASCII.h"
#include "SF_DataGTH.h"
#include "SF_DataINI.h"
#include "SF_DataMIC.h"
#include "SF_DataMask.h"
#include "SF_DataPTH.h"
#include "SF_DataSPC.h"
#include "SF_DataSSR.h"
#include "SF_DataSTH.h"
#include "SF_DataTSPI.h"
#include "casefile/cCaseFile.h"
#include "criteria/cCriteriaFile.h"
#include "equipment/mEquipmentListFile.h"
#include "study/cEquipment.h"
#include "study/cStudy.h"

inline std::map<std::string, std::function<bool(const std::string&)>> everyReader() {
  return {
      {"readLines", [](const std::string& p) { SF_DataASCII a; return a.readLines(p) == SF_DATA_OK; }},
      {"readFields", [](const std::string& p) { SF_DataASCII a; return a.readFields(p) == SF_DATA_OK; }},
      {"STH", [](const std::string& p) {
         std::shared_ptr<SF_HeaderSTH> h;
         std::shared_ptr<SF_SpectralTimeHistory> t;
         std::vector<std::string> raw;
         SF_DataSTH sth;
         const bool rawRead = sth.getRawHeader(p, raw);
         return (sth.readFile(p, h, t) == SF_DATA_OK) || rawRead;
       }},
      {"PTH", [](const std::string& p) {
         std::shared_ptr<SF_HeaderPTH> h;
         std::shared_ptr<SF_PositionTimeHistory> t;
         return SF_DataPTH().readFile(p, h, t) == SF_DATA_OK;
       }},
      {"GTH", [](const std::string& p) {
         std::shared_ptr<SF_HeaderGTH> h;
         std::shared_ptr<SF_GeometryTimeHistory> t;
         return SF_DataGTH().readFile(p, h, t) == SF_DATA_OK;
       }},
      {"MIC", [](const std::string& p) {
         std::shared_ptr<SF_HeaderMIC> h;
         std::shared_ptr<SF_Microphone> m;
         return SF_DataMIC().readFile(p, h, m) == SF_DATA_OK;
       }},
      {"TSPI", [](const std::string& p) {
         std::shared_ptr<SF_PositionTimeHistory> t;
         return SF_DataTSPI().readFile(p, t) == SF_DATA_OK;
       }},
      {"Mask", [](const std::string& p) {
         std::shared_ptr<SF_HeaderMask> h;
         std::shared_ptr<SF_MaskMap> m;
         return SF_DataMask().readFile(p, h, m) == SF_DATA_OK;
       }},
      {"INI", [](const std::string& p) { return SF_DataINI().readFile(p) == SF_DATA_OK; }},
      {"SSR", [](const std::string& p) {
         std::shared_ptr<SF_Spectrum> s;
         return SF_DataSSR().readFile(p, s) == SF_DATA_OK;
       }},
      {"SPC", [](const std::string& p) {
         std::shared_ptr<SF_SpectralTimeHistory> t;
         return SF_DataSPC().readFile(p, t) == SF_DATA_OK;
       }},
      {"case", [](const std::string& p) {
         cStudy study;
         return cCaseFile(study).readCaseFile(p);
       }},
      {"criteria", [](const std::string& p) {
         cStudy study;
         return cCriteriaFile(study.NoiseLimits).readFile(p);
       }},
      {"equipment", [](const std::string& p) {
         SF_FieldTable rows;
         EquipmentList list;
         return readEquipmentListFields(p, rows) == SF_DATA_OK && cEquipment::loadList(rows, list);
       }},
  };
}
