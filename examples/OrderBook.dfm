object OrderBook: TOrderBook
  OldCreateOrder = False
  Height = 260
  Width = 420
  object OrdersDB: TQuelmDatabase
    DatabaseName = 'orders'
    Left = 32
    Top = 16
  end
  object CustomerQuery: TQuelmQuery
    Database = OrdersDB
    UpdateObject = CustomerUpdate
    SQL.Strings = (
      'select id, name'
      'from customer'
      'order by name')
    Left = 32
    Top = 80
  end
  object CustomerUpdate: TQuelmUpdateSQL
    DataSet = CustomerQuery
    Left = 128
    Top = 80
  end
  object CustomerSource: TDataSource
    DataSet = CustomerQuery
    Left = 224
    Top = 80
  end
  object OrdersTable: TQuelmTable
    Database = OrdersDB
    IndexFieldNames = 'customer_id'
    MasterFields = 'id'
    MasterSource = CustomerSource
    TableName = 'orders'
    Left = 320
    Top = 80
  end
  object OrderTotal: TQuelmStoredProc
    Database = OrdersDB
    Params = <
      item
        DataType = ftInteger
        Name = 'p_customer'
        ParamType = ptInput
      end
      item
        DataType = ftBCD
        Name = 'p_total'
        ParamType = ptOutput
      end>
    ProcedureName = 'order_total'
    Left = 32
    Top = 152
  end
  object Migrator: TBDE2QuelmDorvik
    Database = OrdersDB
    Left = 128
    Top = 152
  end
end
