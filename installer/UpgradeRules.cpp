#include "installer/UpgradeRules.h"

#include <cstdio>

TUpgFinding JudgeUpgFile(const TUpgFileRecord& record, const TUpgFileFacts& facts) {
  TUpgFinding finding;
  finding.policy = record.policyB;
  auto found = [&](TUpgState state, TUpgText text) {
    finding.state = state;
    finding.text = text;
    return finding;
  };
  switch (record.operation) {
    case TUpgOperation::Add:
      if (!facts.exists) return finding;
      if (facts.readOnly) return found(TUpgState::ReadOnly, TUpgText::ReadOnly);
      finding.policy = record.policyA;
      finding.handleAnyway = true;
      return found(TUpgState::Exists, TUpgText::AddExists);
    case TUpgOperation::Replace:
      if (!facts.exists) return found(TUpgState::Missing, TUpgText::Missing);
      if (facts.readOnly) return found(TUpgState::ReadOnly, TUpgText::ReadOnly);
      return finding;
    case TUpgOperation::Patch:
    case TUpgOperation::Check:
    case TUpgOperation::Delete:
      break;
  }
  if (!facts.exists) return found(TUpgState::Missing, TUpgText::Missing);
  if (facts.readOnly && record.operation != TUpgOperation::Check)
    return found(TUpgState::ReadOnly, TUpgText::PatchReadOnly);
  if (!facts.readable || !facts.info.SameContents(record.oldInfo)) {
    found(TUpgState::Differs, TUpgText::Differs);
  } else if (!(facts.info == record.oldInfo)) {
    found(TUpgState::DateDiffers, TUpgText::DateDiffers);
  } else {
    return finding;
  }
  if (record.operation == TUpgOperation::Delete) {
    // A file that goes anyway: whether it matches is only the soft question.
    finding.policy = record.policyA;
    finding.text = TUpgText::DeleteDiffers;
    finding.handleAnyway = true;
  } else if (finding.state == TUpgState::DateDiffers) {
    finding.policy = record.policyA;
    finding.handleAnyway = true;
  }
  return finding;
}

bool IsUpgInstallation(const std::vector<TUpgFileRecord>& records, TUpgFileProbe& probe) {
  int matches = 0;
  int mismatches = 0;
  for (const TUpgFileRecord& record : records) {
    if (record.operation == TUpgOperation::Add) continue;
    const bool judged = record.operation != TUpgOperation::Replace && record.policyB != TUpgPolicy::Ignore;
    const TUpgFileFacts facts = probe.Facts(record, judged);
    if (!facts.exists) {
      if (record.policyB == TUpgPolicy::Fatal) return false;
      if (record.policyB == TUpgPolicy::Ask) ++mismatches;
      continue;
    }
    if (record.operation == TUpgOperation::Replace) {
      ++matches;
      continue;
    }
    if (!judged) continue;
    if (!facts.readable || !facts.info.SameContents(record.oldInfo)) {
      if (record.policyB == TUpgPolicy::Fatal) return false;
      ++mismatches;
      continue;
    }
    if (facts.info.dosDateTime != record.oldInfo.dosDateTime) {
      if (record.policyA == TUpgPolicy::Fatal) return false;
      if (record.policyA == TUpgPolicy::Ask) continue;
    }
    ++matches;
  }
  return matches > 0 && (mismatches == 0 || matches > mismatches);
}

int UpgPercentage(uint64_t bytesOut, uint64_t total) {
  const uint64_t percent = bytesOut / (total / 100 + 1) + 1;
  return percent > 100 ? 100 : static_cast<int>(percent);
}

bool UpgTargetFromChosenPath(const std::string& chosen, std::string& target) {
  const size_t slash = chosen.find_last_of('\\');
  if (slash == std::string::npos || slash == 0) return false;
  std::string folder = chosen.substr(0, slash);
  // A drive ("C:") keeps its backslash: "C:" alone would mean the drive's current folder.
  if (folder.size() <= 2) folder += '\\';
  target = folder;
  return true;
}

std::string UpgFolderWithSlash(const std::string& folder) {
  if (!folder.empty() && folder.back() == '\\') return folder;
  return folder + '\\';
}

std::string UpgFolderForDisplay(const std::string& folder) {
  std::string shown = folder;
  while (shown.size() > 3 && shown.back() == '\\') shown.pop_back();
  if (shown.size() == 2 && shown[1] == ':') shown += '\\';
  return shown;
}

static std::string WorkName(const std::string& target, int index, const char* extension) {
  char name[32];
  std::snprintf(name, sizeof name, "\\%05d.%s", index, extension);
  return target + kUpgWorkFolder + name;
}

std::string UpgTempName(const std::string& target, int index) { return WorkName(target, index, "TMP"); }
std::string UpgBackupName(const std::string& target, int index) { return WorkName(target, index, "OLD"); }

std::string UpgInstalledName(const std::string& target, const TUpgFileRecord& record) {
  std::string name = target + record.name;
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

std::string UpgQuestionText(const TUpgTexts& texts, const TUpgFileRecord& record, const std::string& first,
                            const std::string& second) {
  std::string text = texts.Part(TUpgText::Prefixes, 0) + texts.OperationName(static_cast<int>(record.operation));
  text += "\n\n" + texts.Part(TUpgText::Prefixes, 1) + record.name;
  if (record.description[0]) text += "\n" + texts.Part(TUpgText::Prefixes, 2) + record.description;
  text += "\n\n" + first + "\n\n" + second;
  return text;
}
