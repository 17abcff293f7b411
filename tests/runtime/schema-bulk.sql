-- 2,000 tables t0000 .. t1999, loaded into a database of their own.
DELIMITER //
CREATE PROCEDURE make_tables(IN n INT)
BEGIN
  DECLARE i INT DEFAULT 0;
  WHILE i < n DO
    SET @quelm_sql = CONCAT('CREATE TABLE t', LPAD(i, 4, '0'), ' (id INT NOT NULL PRIMARY KEY) ENGINE=MyISAM');
    PREPARE st FROM @quelm_sql;
    EXECUTE st;
    DEALLOCATE PREPARE st;
    SET i = i + 1;
  END WHILE;
END//
DELIMITER ;

CALL make_tables(2000);
DROP PROCEDURE make_tables;
