#include "runtime/RuntimeError.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <system_error>
#include <unordered_map>

namespace rt {

RuntimeError::RuntimeError(int16_t number, std::string detail)
    : number_(number), what_("run-time error " + std::to_string(number)) {
  if (!detail.empty()) what_ += ": " + detail;
}

const char* ErrorMessage(int number) {
  static const std::unordered_map<int, const char*> table = {
      {3, "Returnの対応するGoSubがありません。"},
      {5, "ﾌﾟﾛｼｰｼﾞｬの呼び出し、または引数が不正です"},
      {6, "ｵｰﾊﾞｰﾌﾛｰしました"},
      {7, "ﾒﾓﾘが不足しています"},
      {9, "ｲﾝﾃﾞｯｸｽが有効範囲にありません"},
      {10, "この配列は固定されているか、または一時的にﾛｯｸされています"},
      {11, "0で除算しました"},
      {13, "型が一致しません"},
      {14, "文字列領域が不足しています"},
      {16, "式が複雑すぎます"},
      {17, "要求された操作は実行できません"},
      {18, "ﾕｰｻﾞｰによる割り込みが発生しました"},
      {20, "ｴﾗｰが発生していないときにResumeを実行することはできません"},
      {28, "ｽﾀｯｸ領域が不足しています"},
      {35, "Sub,Function,またはPropertyが定義されていません"},
      {47, "DLLｸﾗｲｱﾝﾄｱﾌﾟﾘｹｰｼｮﾝの数が多すぎます"},
      {48, "DLL読み込み時のｴﾗｰです"},
      {49, "DLLが正しく呼び出せません"},
      {51, "内部ｴﾗｰです"},
      {52, "ﾌｧｲﾙ名またはﾌｧｲﾙ番号が不正です"},
      {53, "ﾌｧｲﾙが見つかりません"},
      {54, "ﾌｧｲﾙﾓｰﾄﾞが不正です"},
      {55, "ﾌｧｲﾙはすでに開かれています"},
      {57, "ﾃﾞﾊﾞｲｽI/Oｴﾗｰです。"},
      {58, "既に同盟のﾌｧｲﾙが存在しています"},
      {59, "ﾚｺｰﾄﾞ長が一致しません"},
      {61, "ﾃﾞｨｽｸの空き容量が不足しています"},
      {62, "ﾌｧｲﾙにこれ以上ﾃﾞｰﾀがありません"},
      {63, "ﾚｺｰﾄﾞ番号が不正です"},
      {67, "ﾌｧｲﾙが多すぎます"},
      {68, "ﾃﾞﾊﾞｲｽが準備されていません"},
      {70, "書き込みできません"},
      {71, "ﾃﾞｨｽｸが準備されていません"},
      {74, "ﾃﾞｨｽｸ名は変更できません"},
      {75, "ﾊﾟｽ名が無効です"},
      {76, "ﾊﾟｽが見つかりません"},
      {91, "ｵﾌﾞｼﾞｪｸﾄ変数またはWithﾌﾞﾛｯｸ変数が設定されていません"},
      {92, "Forﾙｰﾌﾟが初期化されていません"},
      {93, "ﾊﾟﾀｰﾝ文字列が不正です"},
      {94, "Nullの使い方が不正です"},
      {96, "ｻﾎﾟｰﾄされているｲﾍﾞﾝﾄ受信最大数のｲﾍﾞﾝﾄが既に派生しているので、ｵﾌﾞｼﾞｪｸﾄのｲﾍﾞﾝﾄを同期できません"},
      {97, "ｵﾌﾞｼﾞｪｸﾄが定義ｸﾗｽのｲﾝｽﾀﾝｽではない場合、このｵﾌﾞｼﾞｪｸﾄに関するFriendﾌﾟﾛｼｰｼﾞｬは呼び出せません"},
      {98, "ﾌﾟﾛﾊﾟﾃｨまたはﾒｿｯﾄﾞの呼び出しの場合には、引数または戻り値としてﾌﾟﾗｲﾍﾞｰﾄｵﾌﾞｼﾞｪｸﾄへの参照を含めることはできません"},
      {321, "不正なﾌｧｲﾙ形式です"},
      {322, "必要なﾃﾝﾎﾟﾗﾘﾌｧｲﾙを作成できません"},
      {400, "既にﾌｫｰﾑは表示されています　ﾓｰﾀﾞﾙにできません"},
      {422, "ﾌﾟﾛﾊﾟﾃｨが見つかりません"},
      {429, "ActiveXｺﾝﾎﾟｰﾈﾝﾄはｵﾌﾞｼﾞｪｸﾄを作成できません"},
      {430, "ｸﾗｽはｵｰﾄﾒｰｼｮﾝをｻﾎﾟｰﾄしていません"},
      {432, "ｵｰﾄﾒｰｼｮﾝ捜査中にﾌｧｲﾙ名またはｸﾗｽ名を見つけられませんでした"},
      {438, "ｵﾌﾞｼﾞｪｸﾄは、このﾌﾟﾛﾊﾟﾃｨまたはﾒｿｯﾄﾞをｻﾎﾟｰﾄしていません"},
      {440, "ｵｰﾄﾒｰｼｮﾝｴﾗｰです"},
      {442, "ﾘﾓｰﾄﾌﾟﾛｾｽ用のﾀｲﾌﾟﾗｲﾌﾞﾗﾘまたはｵﾌﾞｼﾞｪｸﾄﾗｲﾌﾞﾗﾘへの参照は失われました"},
      {443, "ｵｰﾄﾒｰｼｮﾝｵﾌﾞｼﾞｪｸﾄには規定値がありません"},
      {445, "ｵﾌﾞｼﾞｪｸﾄはこの動作をｻﾎﾟｰﾄしていません"},
      {446, "ｵﾌﾞｼﾞｪｸﾄは名前付き引数をｻﾎﾟｰﾄしていません"},
      {447, "ｵﾌﾞｼﾞｪｸﾄは現在の国別情報の設定をｻﾎﾟｰﾄしていません"},
      {448, "名前付き引数が見つかりません"},
      {449, "引数は省略できません"},
      {450, "引数の数が一致していないか、不正なﾌﾟﾛﾊﾟﾃｨを指定しています"},
      {451, "このｵﾌﾞｼﾞｪｸﾄはｺﾚｸｼｮﾝではありません"},
      {452, "序数が不正です"},
      {453, "関数は指定されたDLLには定義されていません"},
      {454, "ｺｰﾄﾞﾘｿｰｽが見つかりません"},
      {455, "ｺｰﾄﾞﾘｿｰｽのﾛｯｸｴﾗｰです"},
      {457, "このｷｰは既にこのｺﾚｸｼｮﾝの要素に割り当てられています"},
      {458, "ｻﾎﾟｰﾄされていないｵｰﾄﾒｰｼｮﾝが変数で使用されています"},
      {459, "このｺﾝﾎﾟｰﾈﾝﾄでは、ｲﾍﾞﾝﾄはｻﾎﾟｰﾄされていません"},
      {735, "ﾃﾝﾎﾟﾗﾘﾌｧｲﾙに保存できません"},
      {744, "検索文字列が見つかりませんでした"},
      {746, "置換後の文字列が長すぎます"},
      {31001, "ﾒﾓﾘが不足しています"},
  };
  auto it = table.find(number);
  return it == table.end() ? "不明なｴﾗｰです。" : it->second;
}

int16_t ErrorNumberFromErrno(int err) {
  switch (err) {
    case ENOENT: return kErrFileNotFound;
    case ENOTDIR: return kErrPathNotFound;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return kErrPermissionDenied;
    case ENAMETOOLONG:
    case EINVAL: return kErrBadFileName;
    case EISDIR: return kErrPathFileAccess;
    case ENOMEM: return kErrOutOfMemory;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return kErrDeviceUnavailable;
    case EIO: return kErrIO;
    default: return kErrInternal;
  }
}

int16_t ErrorNumberOf(std::exception_ptr e) {
  try {
    if (e) std::rethrow_exception(e);
  } catch (const RuntimeError& r) {
    return r.number();
  } catch (const std::bad_alloc&) {
    return kErrOutOfMemory;
  } catch (const std::system_error& s) {  // includes filesystem_error
    return s.code().category() == std::generic_category() ||
                   s.code().category() == std::system_category()
               ? ErrorNumberFromErrno(s.code().value())
               : static_cast<int16_t>(kErrInternal);
  } catch (const std::out_of_range&) {
    return kErrSubscript;
  } catch (...) {
    return kErrInternal;
  }
  return kErrInternal;
}

}  // namespace rt
