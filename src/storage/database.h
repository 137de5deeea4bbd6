// The work areas of one run and the routines that open tables in them: by number
// (ABERTURA), in general (ABREARQ), with the waits for other terminals (NETUSE,
// REC_LOCK, FIL_LOCK, ADD_REC), creating missing tables (CRIA) and building missing
// index orders on the way.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "storage/catalogue.h"
#include "storage/reporter.h"
#include "storage/work_area.h"

namespace vormel::storage {

struct StorageFolders {
  std::string ARQDEF;  // program folder, with a trailing "/"
  std::string LOCARQ;  // current work folder, with a trailing "/"
  std::string NUSU = "00";
  std::string ROTADEF() const;  // the program folder without its trailing "/"
};

class Database {
 public:
  static constexpr int kAreas = 80;
  Database(Reporter& reporter, StorageFolders folders);
  ~Database();

  StorageFolders folders;
  bool MOS_MENS = false;   // show the progress boxes while opening
  bool REFAZ_IND = false;  // rebuild the index orders on every open
  std::string APELIDO;     // alias for the next opens, when not empty
  Reporter& reporter() { return reporter_; }

  WorkArea& area(int n);
  WorkArea& current() { return area(selected_); }
  int selected() const { return selected_; }
  void select(int n) { selected_ = n; }
  // The area holding the table of that alias; 0 when none.
  int area_of(const std::string& alias) const;

  bool ABERTURA(int number, bool exclusive = false);
  bool ABREARQ(const std::string& area, bool exclusive, const std::string& file, const std::string& key1 = "",
               const std::string& key2 = "", const std::string& file2 = "", const std::string& key3 = "",
               const std::string& file3 = "");
  bool NETUSE(const std::string& file, bool exclusive, int seconds);
  bool REC_LOCK(int seconds = 2);
  bool FIL_LOCK(int seconds);
  bool ADD_REC(int seconds);
  bool SAI_ABRE(int number);
  template <typename T>
  T RET_FECHAJAN(T value) {
    if (MOS_MENS) reporter_.close_progress();
    return value;
  }
  void FECHA_PROV();
  void FECHA_TODO();
  void close_all();
  void close_area(int n) { area(n).close(); }
  bool CRIA(const std::string& number, const std::string& file);

  // Holds the terminal's folder list for the whole run, so a second program started
  // with the same terminal number is refused. False when another one holds it.
  bool hold_terminal();
  // Folder and base name of table `number` (without extension).
  std::string table_path(int number) const;

 private:
  bool open_orders(WorkArea& area, const std::string& name, const std::string& key1, const std::string& file2,
                   const std::string& key2, const std::string& file3, const std::string& key3, bool exclusive,
                   const std::string& file);
  bool create_missing(const std::string& area, const std::string& path, const std::string& display_name);
  void not_available(const std::string& name);
  bool prune_folder_list();

  Reporter& reporter_;
  std::array<WorkArea, kAreas + 1> areas_;
  int selected_ = 1;
  SharedFile terminal_file_;
};

// While it lives, the tables open without their progress boxes and notices.
class QuietOpens {
 public:
  explicit QuietOpens(Database& db) : db_(db), was_(db.MOS_MENS) { db_.MOS_MENS = false; }
  ~QuietOpens() { db_.MOS_MENS = was_; }
  QuietOpens(const QuietOpens&) = delete;
  QuietOpens& operator=(const QuietOpens&) = delete;

 private:
  Database& db_;
  bool was_;
};

}  // namespace vormel::storage
