#include "maintain/compaction.h"

#include <exception>
#include <stdexcept>

#include "catalog/statements.h"
#include "catalog/store_messages.h"
#include "platform/file_io.h"

namespace maintain {
namespace {

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what);
}

void Compact(const std::string& folder, CompactOutcome& out) {
  const std::string catalogFile = folder + catalog::kCatalogFileName;
  const std::string compacted = folder + kCompactedFileName;
  const std::string backup = folder + kBackupFileName;
  int64_t before = 0;
  {
    catalog::Connection source;
    source.SetConnectionString(catalog::ConnectionStringFor(catalogFile));
    source.Open();
    // The copy reads every page once: no memory map and a small cache, so
    // that a catalogue of any size is compacted in a few MB.
    catalog::ReadWithSmallCache(source);
    catalog::Query q(&source);
    Check(catalog::TakeCatalogueAlone(q), "目录数据库正被其他程序使用");
    // The temporary copies of an earlier compaction that was killed part
    // way (tens of MB each). Removed here, with the catalogue held alone,
    // not at start-up: another machine may then be compacting a catalogue
    // on a share, and these would be its copies in progress.
    fileio::RemoveTemporariesBeside(backup);
    fileio::RemoveTemporariesBeside(catalogFile);
    before = MeasuredSize(catalogFile);
    catalog::WriteCompactedCopy(q, compacted);
  }
  // The copy is complete on disk before anything is replaced. Each copy goes
  // block by block through a flushed temporary file and a rename, so a
  // catalogue of any size costs one block of memory, and the target is
  // either untouched or complete.
  fileio::CopyFileDurably(catalogFile, backup);
  fileio::CopyFileDurably(compacted, catalogFile);
  if (fileio::FileExists(compacted)) Check(fileio::RemoveFile(compacted), "无法删除文件 " + compacted);
  out.rate = CompactionRate(before, MeasuredSize(catalogFile));
  out.ok = true;
}

}  // namespace

int64_t MeasuredSize(const std::string& path) {
  int64_t n = fileio::FileSize(path);
  return n <= 0 ? 1 : n;
}

int64_t CompactionRate(int64_t sizeBefore, int64_t sizeAfter) {
  if (sizeBefore == 0) return 0;
  return (sizeBefore - sizeAfter) * 100 / sizeBefore;
}

CompactOutcome CompactCatalog(catalog::Connection& cn, const std::vector<catalog::Query*>& queries,
                              const std::string& folder) {
  CompactOutcome out;
  try {
    cn.RequireWritable();
    if (!fileio::CanCreateIn(folder))
      throw catalog::DbError(catalog::ReadOnlyMessage(folder + catalog::kCatalogFileName),
                             catalog::StoreProblem::kReadOnly);
  } catch (const catalog::DbError& e) {
    out.error = e.what();
    out.problem = e.Problem();
    return out;
  }
  for (catalog::Query* q : queries)
    if (q) q->Close();
  cn.Close();
  const std::string compacted = folder + kCompactedFileName;
  try {
    // A copy left behind by an earlier failed run.
    if (fileio::FileExists(compacted)) Check(fileio::RemoveFile(compacted), "无法删除文件 " + compacted);
    Compact(folder, out);
  } catch (const std::exception& e) {
    out.ok = false;
    out.error = e.what();
    if (auto* db = dynamic_cast<const catalog::DbError*>(&e)) out.problem = db->Problem();
    if (auto* file = dynamic_cast<const fileio::WriteError*>(&e); file && file->DiskFull())
      out.problem = catalog::StoreProblem::kDiskFull;
    // A partial copy would keep the room a full disk needs.
    if (out.problem == catalog::StoreProblem::kDiskFull) fileio::RemoveFile(compacted);
  }
  try {
    cn.Open();
  } catch (const std::exception& e) {
    out.reopenError = e.what();
  }
  return out;
}

void CompactDialogState::Show() {
  if (tried_)
    resultText_ = "您已进行过数据整理，暂不需再进行此操作。";
  else
    resultVisible_ = false;
}

void CompactDialogState::Start() { tried_ = true; }

void CompactDialogState::Finish(const CompactOutcome& outcome) {
  if (!outcome.ok) return;
  cancelCaption_ = "退出(&X)";
  resultVisible_ = true;
  resultText_ = "数据整理优化率：" + std::to_string(outcome.rate) + "%";
}

std::string CompactionNote() {
  return "\t在您进行了较多次的快照删除或重命名操作后，通过数据整理可以有效提高程序启动速度、查询速度。";
}

std::string CompactionFailedMessage() { return "软件冲突，数据整理失败。"; }

std::string CompactionFailedMessage(const CompactOutcome& outcome, const std::string& folder) {
  const std::string file = folder + catalog::kCatalogFileName;
  switch (outcome.problem) {
    case catalog::StoreProblem::kDiskFull: return catalog::CompactionDiskFullMessage(file);
    case catalog::StoreProblem::kReadOnly:
    case catalog::StoreProblem::kDamaged: return catalog::ProblemMessage(outcome.problem, file);
    case catalog::StoreProblem::kBusy:
    case catalog::StoreProblem::kOther: break;
  }
  return CompactionFailedMessage();
}

}  // namespace maintain
