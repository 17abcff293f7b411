-- The example schema of the demo: a small order book.
CREATE DATABASE IF NOT EXISTS orders;
USE orders;

DROP PROCEDURE IF EXISTS order_total;
DROP TABLE IF EXISTS orders;
DROP TABLE IF EXISTS customer;

CREATE TABLE customer (
  id INT NOT NULL PRIMARY KEY,
  name VARCHAR(60) NOT NULL,
  city VARCHAR(40) NULL,
  email VARCHAR(80) NULL
) ENGINE=InnoDB;

CREATE TABLE orders (
  order_no INT NOT NULL PRIMARY KEY,
  customer_id INT NOT NULL,
  ordered DATE NOT NULL,
  total DECIMAL(12,2) NOT NULL DEFAULT 0,
  KEY by_customer (customer_id)
) ENGINE=InnoDB;

INSERT INTO customer VALUES (1, 'Anton', 'Linz', 'anton@example.org'), (2, 'Berta', 'Graz', NULL);
INSERT INTO orders VALUES (10, 1, '2026-11-30', 120.50), (11, 2, '2026-12-01', 18.00);

DELIMITER //
-- The sum of a customer's orders, for the example's stored procedure.
CREATE PROCEDURE order_total(IN p_customer INT, OUT p_total DECIMAL(12,2))
BEGIN
  SELECT COALESCE(SUM(total), 0) INTO p_total FROM orders WHERE customer_id = p_customer;
END//
DELIMITER ;
