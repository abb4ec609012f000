// The material ledger refills its whole grid at load, after every cell edit
// and after every entry dialog. With a full table (300 materials of 1000
// transactions, every one shown: some 300,000 rows) each must still feel
// instant, as the grid asks only for the cells on screen.
#include <benchmark/benchmark.h>

#include "GuiBenchMain.h"

#include <QLineEdit>

#include "materials/frmMaterial.h"
#include "materials/modMaterial.h"
#include "platform/FlexGrid.h"
#include "store/Store.h"

namespace {

void FillFullTable() {
  ResetStore();
  for (int m = 1; m <= kMaterials; ++m) {
    MaterialRec& r = Material(m);
    r.Name = "資材" + std::to_string(m);
    r.Price = 1000 + m, r.Volume = 20, r.Unit = "kg";
    for (int j = 1; j <= kTransactions; ++j) {
      r.Date(j) = 20010101 + j % 28;
      r.Mode(j) = j % 3 == 0 ? 1 : 0;
      r.OrVolNum(j) = j % 7 + 1;
      r.RemainVol(j) = j * 10;
    }
  }
  MarkChanged(RecordKind::Material);  // the ledger keeps the table instead of reading a file
}

void BM_FillMaterialGridFullTable(benchmark::State& state) {
  FillFullTable();
  frmMaterial f;
  f.Start();
  f.show();
  for (auto _ : state) {
    FillMaterialGrid(f.mfgMaterial);
    // The repaint that follows, as the farmer sees it.
    benchmark::DoNotOptimize(f.mfgMaterial->grab());
  }
  state.counters["rows"] = f.mfgMaterial->Rows();
}
BENCHMARK(BM_FillMaterialGridFullTable)->Unit(benchmark::kMillisecond);

void BM_CellEditRefill(benchmark::State& state) {
  FillFullTable();
  frmMaterial f;
  f.Start();
  f.show();
  f.mfgMaterial->SetRow(2);
  f.mfgMaterial->SetCol(1);
  int price = 0;
  for (auto _ : state) {
    f.mfgMaterial_KeyPress('1');
    f.txtForEdit->setText(QString::number(++price));
    f.txtForEdit_KeyDown(13, 0);
    benchmark::DoNotOptimize(f.mfgMaterial->grab());
  }
  if (Material(1).Price != price) state.SkipWithError("the edit was not stored");
}
BENCHMARK(BM_CellEditRefill)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunGuiBenchmarks(argc, argv); }
