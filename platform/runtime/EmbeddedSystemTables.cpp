#include "runtime/EmbeddedSystemTables.h"

const std::vector<const char*>& EmbeddedSystemTableStatements() {
  static const std::vector<const char*> statements = {
      "CREATE DATABASE IF NOT EXISTS mysql",
      "CREATE TABLE IF NOT EXISTS mysql.plugin ( name varchar(64) DEFAULT '' NOT NULL, dl varchar(128) "
      "DEFAULT '' NOT NULL, PRIMARY KEY (name) ) engine=Aria transactional=1 CHARACTER SET utf8mb3 COLLATE "
      "utf8mb3_general_ci comment='MySQL plugins'",
      "CREATE TABLE IF NOT EXISTS mysql.func (  name char(64) binary DEFAULT '' NOT NULL, ret tinyint(1) "
      "DEFAULT '0' NOT NULL, dl char(128) DEFAULT '' NOT NULL, type enum ('function','aggregate') COLLATE "
      "utf8mb3_general_ci NOT NULL, PRIMARY KEY (name) ) engine=Aria transactional=1 CHARACTER SET utf8mb3 "
      "COLLATE utf8mb3_bin   comment='User defined functions'",
      "CREATE TABLE IF NOT EXISTS mysql.proc (db char(64) collate utf8mb3_bin DEFAULT '' NOT NULL, name "
      "char(64) DEFAULT '' NOT NULL, type enum('FUNCTION','PROCEDURE','PACKAGE','PACKAGE BODY') NOT NULL, "
      "specific_name char(64) DEFAULT '' NOT NULL, language enum('SQL') DEFAULT 'SQL' NOT NULL, "
      "sql_data_access enum( 'CONTAINS_SQL', 'NO_SQL', 'READS_SQL_DATA', 'MODIFIES_SQL_DATA') DEFAULT "
      "'CONTAINS_SQL' NOT NULL, is_deterministic enum('YES','NO') DEFAULT 'NO' NOT NULL, security_type "
      "enum('INVOKER','DEFINER') DEFAULT 'DEFINER' NOT NULL, param_list blob NOT NULL, returns longblob "
      "NOT NULL, body longblob NOT NULL, definer varchar(384) collate utf8mb3_bin DEFAULT '' NOT NULL, "
      "created timestamp NOT NULL DEFAULT CURRENT_TIMESTAMP ON UPDATE CURRENT_TIMESTAMP, modified "
      "timestamp NOT NULL DEFAULT '0000-00-00 00:00:00', sql_mode set( 'REAL_AS_FLOAT', 'PIPES_AS_CONCAT', "
      "'ANSI_QUOTES', 'IGNORE_SPACE', 'IGNORE_BAD_TABLE_OPTIONS', 'ONLY_FULL_GROUP_BY', "
      "'NO_UNSIGNED_SUBTRACTION', 'NO_DIR_IN_CREATE', 'POSTGRESQL', 'ORACLE', 'MSSQL', 'DB2', 'MAXDB', "
      "'NO_KEY_OPTIONS', 'NO_TABLE_OPTIONS', 'NO_FIELD_OPTIONS', 'MYSQL323', 'MYSQL40', 'ANSI', "
      "'NO_AUTO_VALUE_ON_ZERO', 'NO_BACKSLASH_ESCAPES', 'STRICT_TRANS_TABLES', 'STRICT_ALL_TABLES', "
      "'NO_ZERO_IN_DATE', 'NO_ZERO_DATE', 'INVALID_DATES', 'ERROR_FOR_DIVISION_BY_ZERO', 'TRADITIONAL', "
      "'NO_AUTO_CREATE_USER', 'HIGH_NOT_PRECEDENCE', 'NO_ENGINE_SUBSTITUTION', 'PAD_CHAR_TO_FULL_LENGTH', "
      "'EMPTY_STRING_IS_NULL', 'SIMULTANEOUS_ASSIGNMENT', 'TIME_ROUND_FRACTIONAL') DEFAULT '' NOT NULL, "
      "comment text collate utf8mb3_bin NOT NULL, character_set_client char(32) collate utf8mb3_bin, "
      "collation_connection char(64) collate utf8mb3_bin, db_collation char(64) collate utf8mb3_bin, "
      "body_utf8 longblob, aggregate enum('NONE', 'GROUP') DEFAULT 'NONE' NOT NULL, PRIMARY KEY "
      "(db,name,type)) engine=Aria transactional=1 character set utf8mb3 comment='Stored Procedures'",
  };
  return statements;
}
