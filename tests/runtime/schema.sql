-- The test schema of the runtime library's tests, loaded into an empty
-- database by scripts/test-server.sh (real server) and by the tests
-- themselves (embedded server). Tests only read it, except marks_reserved,
-- which one test writes and leaves empty again.

CREATE TABLE customer (
  region CHAR(2) NOT NULL,
  id INT NOT NULL,
  name VARCHAR(40) NOT NULL,
  email VARCHAR(80) NULL,
  balance DECIMAL(12,2) NOT NULL DEFAULT 0,
  created DATETIME NULL,
  PRIMARY KEY (region, id),
  UNIQUE KEY email_unique (email),
  KEY name_desc (name DESC, id)
) ENGINE=InnoDB;

INSERT INTO customer (region, id, name, email, balance) VALUES
  ('EU', 2, 'Berta', 'berta@example.org', 10.50),
  ('EU', 1, 'Anton', 'anton@example.org', 0),
  ('US', 1, 'Carol', NULL, 99.99);

CREATE TABLE item (
  id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  sku VARCHAR(20) NOT NULL,
  sku_lower VARCHAR(20) AS (LOWER(sku)) VIRTUAL,
  price DOUBLE NULL,
  KEY sku_lower_idx (sku_lower)
) ENGINE=InnoDB;

INSERT INTO item (sku, price) VALUES ('AB-1', 1.5), ('cd-2', NULL);

CREATE TABLE orders (
  order_no INT NOT NULL PRIMARY KEY,
  region CHAR(2) NOT NULL,
  customer_id INT NOT NULL,
  KEY by_customer (region, customer_id)
) ENGINE=InnoDB;

INSERT INTO orders VALUES (10, 'EU', 1), (11, 'EU', 2), (12, 'EU', 1), (13, 'US', 1);

CREATE TABLE no_key (a INT, b VARCHAR(5)) ENGINE=InnoDB;

-- Columns named by reserved words: statements reach them only with quotes.
CREATE TABLE marks_reserved (
  id INT NOT NULL PRIMARY KEY,
  `order` INT NULL,
  `select` VARCHAR(20) NULL
) ENGINE=InnoDB;

-- Columns the server fills itself, and a unique key where no primary one is.
CREATE TABLE computed (
  id INT NOT NULL AUTO_INCREMENT,
  code VARCHAR(10) NOT NULL,
  code_upper VARCHAR(10) AS (UPPER(code)) VIRTUAL,
  code_length INT AS (CHAR_LENGTH(code)) STORED,
  note VARCHAR(20) NULL,
  KEY id_key (id),
  UNIQUE KEY code_unique (code, note)
) ENGINE=InnoDB;

-- Names that only survive correct quoting.
CREATE TABLE `a``b` (`c``d` INT NOT NULL PRIMARY KEY, `e'f` VARCHAR(10), KEY `k``1` (`e'f`)) ENGINE=InnoDB;
INSERT INTO `a``b` VALUES (1, 'it''s');
CREATE TABLE `x'; drop table y; --` (`x'; drop table y; --` INT) ENGINE=InnoDB;
CREATE TABLE y (id INT) ENGINE=InnoDB;
CREATE TABLE `Grüße` (`Straße` VARCHAR(20), `名前` VARCHAR(20), KEY `schlüssel` (`Straße`)) ENGINE=InnoDB;
INSERT INTO `Grüße` VALUES ('Hauptstraße', '山田');

CREATE VIEW customer_view AS SELECT region, id, name FROM customer;

DELIMITER //
CREATE PROCEDURE add_numbers(IN a INT, IN b INT, OUT total INT)
BEGIN
  SET total = a + b;
END//
CREATE PROCEDURE list_customers(IN p_region CHAR(2))
BEGIN
  SELECT id, name FROM customer WHERE region = p_region ORDER BY id;
END//
CREATE PROCEDURE `prüfe``n`()
BEGIN
  SELECT 1 AS one;
END//
CREATE FUNCTION greet(who VARCHAR(20)) RETURNS VARCHAR(40) DETERMINISTIC
  RETURN CONCAT('Hello, ', who)//
CREATE FUNCTION twice(n INT) RETURNS INT DETERMINISTIC
  RETURN n * 2//

-- The 1,000-column table c0001 .. c1000.
CREATE PROCEDURE make_wide()
BEGIN
  DECLARE i INT DEFAULT 1;
  DECLARE cols LONGTEXT DEFAULT '';
  WHILE i <= 1000 DO
    SET cols = CONCAT(cols, IF(i = 1, '', ', '), 'c', LPAD(i, 4, '0'), ' INT');
    SET i = i + 1;
  END WHILE;
  SET @quelm_sql = CONCAT('CREATE TABLE wide (', cols, ') ENGINE=MyISAM');
  PREPARE st FROM @quelm_sql;
  EXECUTE st;
  DEALLOCATE PREPARE st;
END//
DELIMITER ;

CALL make_wide();
DROP PROCEDURE make_wide;
